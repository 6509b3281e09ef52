// Registry scripts in the registrar syntax:
//
//   HKCR
//   {
//     NoRemove CLSID
//     {
//       ForceRemove {guid} = s 'Class Name'
//       {
//         InprocServer32 = s '%MODULE%' { val ThreadingModel = s 'Apartment' }
//       }
//     }
//   }
//
// A key is an optional flag (NoRemove, ForceRemove, Delete), a name (bare or
// in single quotes, '' standing for one quote), an optional default value
// "= s 'text'" and an optional block of subkeys and named values
// ("val Name = s 'text'"). %NAME% is replaced from the given table and %%
// stands for one percent sign. Only string values and HKCR are supported.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace MirelGlyphward {

struct ScriptKey {
  enum class Flag { kNone, kNoRemove, kForceRemove, kDelete };
  Flag flag = Flag::kNone;
  std::u16string name;
  std::optional<std::u16string> defaultValue;
  std::vector<std::pair<std::u16string, std::u16string>> values;
  std::vector<ScriptKey> subkeys;
};

using Replacements = std::map<std::string, std::u16string>;

// The keys below HKEY_CLASSES_ROOT that `script` describes; empty optional
// when the script is malformed or names an unknown replacement.
std::optional<std::vector<ScriptKey>> ParseRegistrarScript(std::string_view script,
                                                           const Replacements& replacements);

}  // namespace MirelGlyphward
