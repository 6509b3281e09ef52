// A type library as read from its text form:
//
//   typelib-text 1
//   library NAME {libid} MAJOR.MINOR "help string"
//   importlib FILE
//   interface NAME {iid} IDispatch dual,oleautomation "help string"
//     propget 1 Width "help" out,retval long* pVal
//     method 7 Check "help" in BSTR text in BSTR hash out,retval VARIANT_BOOL* Result
//   coclass NAME {clsid} "help string"
//     default NAME
//
// Members are listed in function-table order after IDispatch's seven entries;
// each parameter is a direction (in, out, out,retval), a type (long, short,
// int, double, float, BSTR, VARIANT_BOOL, VARIANT, a '*' marking a pointer)
// and a name. Tokens are separated by blanks; quoted texts may escape \" and
// \\. Blank lines and lines starting with '#' are skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "oleauto.h"

namespace glyphward_typelib {

constexpr std::size_t kMaxTextBytes = 1 << 20;
constexpr std::size_t kMaxTypes = 256;
constexpr std::size_t kMaxMembers = 1024;
constexpr std::size_t kMaxParams = 32;

struct Param {
  std::u16string name;
  VARTYPE vt = VT_EMPTY;  // the pointee's type when `pointer` is set
  bool pointer = false;
  USHORT flags = PARAMFLAG_NONE;
};

struct Member {
  std::u16string name;
  std::u16string help;
  MEMBERID id = 0;
  INVOKEKIND kind = INVOKE_FUNC;
  SHORT slot = 0;  // index in the object's function table
  std::vector<Param> params;
};

struct TypeEntry {
  TYPEKIND kind = TKIND_DISPATCH;
  std::u16string name;
  std::u16string help;
  GUID guid{};
  WORD flags = 0;
  std::vector<Member> members;
  // For a coclass: the indexes of the interfaces it implements, and their flags.
  std::vector<std::size_t> implemented;
  std::vector<INT> implementedFlags;
};

struct Library {
  std::u16string name;
  std::u16string help;
  GUID guid{};
  WORD major = 0;
  WORD minor = 0;
  std::vector<TypeEntry> types;
};

// False when `text` is not a well-formed type library description.
bool ParseTypeLibrary(std::string_view text, Library& library);

bool SameName(std::u16string_view a, std::u16string_view b);
bool ParseGuid(std::u16string_view text, GUID& guid);
std::u16string GuidText(const GUID& guid);

}  // namespace glyphward_typelib
