// The registry stand-in: keys and values through the Reg* calls, the file
// they live in, and how damaged or missing files are reported.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "TempRegistry.h"
#include "winreg.h"

using module_tests::TempRegistry;

namespace {

struct Key {
  HKEY h = nullptr;
  ~Key() {
    if (h) RegCloseKey(h);
  }
};

LONG SetString(HKEY key, const char16_t* name, const std::u16string& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        DWORD((value.size() + 1) * 2));
}

std::u16string Query(HKEY key, const char16_t* name, LONG* status = nullptr) {
  char16_t buffer[512] = {};
  DWORD size = sizeof buffer;
  DWORD type = 0;
  const LONG result =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  if (status) *status = result;
  if (result != ERROR_SUCCESS) return u"<missing>";
  EXPECT_EQ(type, DWORD(REG_SZ));
  return buffer;
}

TEST(Registry, CreatedKeysAndValuesReadBack) {
  TempRegistry registry;
  Key key;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"A\\B\\C", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key.h, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
  ASSERT_EQ(SetString(key.h, nullptr, u"default"), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key.h, u"Named", u"value \"quoted\" \\ tab\t\u00e9\u20ac"), ERROR_SUCCESS);

  Key again;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"a\\b\\c", 0, KEY_READ, &again.h), ERROR_SUCCESS);
  EXPECT_EQ(Query(again.h, nullptr), u"default");
  EXPECT_EQ(Query(again.h, u"NAMED"), u"value \"quoted\" \\ tab\t\u00e9\u20ac");

  Key existing;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"A\\B", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &existing.h, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
}

TEST(Registry, QueryReportsSizesTheWindowsWay) {
  TempRegistry registry;
  Key key;
  ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"Sized", &key.h), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key.h, nullptr, u"12345"), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key.h, nullptr, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 12u);
  char16_t small[3];
  size = sizeof small;
  EXPECT_EQ(
      RegQueryValueExW(key.h, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
      ERROR_MORE_DATA);
  EXPECT_EQ(size, 12u);
  LONG status;
  Query(key.h, u"absent", &status);
  EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
}

TEST(Registry, EnumeratesSubkeysInNameOrderAndValuesInSetOrder) {
  TempRegistry registry;
  Key parent;
  ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"P", &parent.h), ERROR_SUCCESS);
  for (const char16_t* name : {u"beta", u"Alpha", u"gamma"}) {
    Key child;
    ASSERT_EQ(RegCreateKeyW(parent.h, name, &child.h), ERROR_SUCCESS);
  }
  SetString(parent.h, u"z", u"1");
  SetString(parent.h, u"a", u"2");
  std::u16string names;
  for (DWORD i = 0;; ++i) {
    char16_t name[64];
    DWORD length = 64;
    const LONG status =
        RegEnumKeyExW(parent.h, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(status, ERROR_SUCCESS);
    names += std::u16string(name, length) + u",";
  }
  EXPECT_EQ(names, u"Alpha,beta,gamma,");
  char16_t name[8];
  DWORD length = 8;
  char16_t data[8];
  DWORD size = sizeof data;
  ASSERT_EQ(RegEnumValueW(parent.h, 0, name, &length, nullptr, nullptr,
                          reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"z");
  EXPECT_EQ(std::u16string(data), u"1");
  length = 8;
  EXPECT_EQ(RegEnumValueW(parent.h, 2, name, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
  char16_t tiny[2];
  length = 2;
  EXPECT_EQ(RegEnumKeyExW(parent.h, 0, tiny, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_MORE_DATA);
}

TEST(Registry, DeleteKeyRefusesKeysWithSubkeysAndDeleteTreeDoesNot) {
  TempRegistry registry;
  Key key;
  ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"T\\U\\V", &key.h), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"T\\U"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"T\\U\\V"), ERROR_SUCCESS);
  // The handle names a key that is gone now.
  EXPECT_EQ(SetString(key.h, nullptr, u"x"), ERROR_KEY_DELETED);
  Key w;
  ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"T\\U\\W\\X", &w.h), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, u"T"), ERROR_SUCCESS);
  Key gone;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"T", 0, KEY_READ, &gone.h), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(gone.h, nullptr);
  EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, u"T"), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, BadHandlesAndArgumentsAreRefused) {
  TempRegistry registry;
  HKEY made_up = reinterpret_cast<HKEY>(ULONG_PTR(0x12345));
  Key key;
  EXPECT_EQ(RegOpenKeyExW(made_up, u"x", 0, KEY_READ, &key.h), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"x", 0, KEY_READ, &key.h), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(made_up), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"a\\\\b", 0, KEY_READ, &key.h),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"bad\x01name", &key.h), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, std::u16string(256, u'k').c_str(), &key.h),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"x", 0, nullptr, 0, 0, nullptr, nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  Key ok;
  ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"ok", &ok.h), ERROR_SUCCESS);
  const DWORD number = 7;
  EXPECT_EQ(RegSetValueExW(ok.h, u"n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_NOT_SUPPORTED);
  EXPECT_EQ(RegSetValueExW(ok.h, u"odd", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"abc"), 3),
            ERROR_INVALID_PARAMETER);
  // Closing twice: the second close names no open key.
  HKEY raw = ok.h;
  ok.h = nullptr;
  EXPECT_EQ(RegCloseKey(raw), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(raw), ERROR_INVALID_HANDLE);
}

TEST(RegistryFile, WrittenInTheDocumentedTextForm) {
  TempRegistry registry;
  Key key;
  ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"Outer\\Inner", &key.h), ERROR_SUCCESS);
  SetString(key.h, nullptr, u"line\nbreak");
  SetString(key.h, u"Name", u"v");
  EXPECT_EQ(registry.Read(),
            "glyphward-registry 1\n"
            "[Outer]\n"
            "[Outer\\Inner]\n"
            "@=\"line\\nbreak\"\n"
            "\"Name\"=\"v\"\n");
}

TEST(RegistryFile, MissingFileIsAnEmptyRegistryAndIsNotCreatedByReading) {
  TempRegistry registry;
  Key key;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Anything", 0, KEY_READ, &key.h),
            ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(registry.Exists());
}

TEST(RegistryFile, MissingFolderIsReportedNotCreated) {
  TempRegistry registry;
  const std::string inside = registry.Folder() + "/no/such/folder/registry";
  setenv("GLYPHWARD_REGISTRY", inside.c_str(), 1);
  Key key;
  EXPECT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"K", &key.h), ERROR_PATH_NOT_FOUND);
}

class CorruptFile : public ::testing::TestWithParam<const char*> {};

TEST_P(CorruptFile, IsReportedAndNeverRewritten) {
  TempRegistry registry;
  const std::string damaged = GetParam();
  registry.Write(damaged);
  Key key;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"K", 0, KEY_READ, &key.h), ERROR_BADDB);
  EXPECT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"K", &key.h), ERROR_BADDB);
  EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, u"K"), ERROR_BADDB);
  EXPECT_EQ(registry.Read(), damaged);
}

INSTANTIATE_TEST_SUITE_P(Registry, CorruptFile,
                         ::testing::Values("", "not a registry\n", "glyphward-registry 2\n",
                                           "glyphward-registry 1\n@=\"value before any key\"\n",
                                           "glyphward-registry 1\n[K]\n[K]\n",
                                           "glyphward-registry 1\n[K]\n@=\"a\"\n@=\"b\"\n",
                                           "glyphward-registry 1\n[K]\n@=\"unterminated\n",
                                           "glyphward-registry 1\n[K]\n@=\"bad escape \\q\"\n",
                                           "glyphward-registry 1\n[K\\\\L]\n",
                                           "glyphward-registry 1\n[\xff\xfe]\n",
                                           "glyphward-registry 1\n[K]\n\"n\"=\"v\" trailing\n"));

TEST(RegistryFile, TooLargeFileIsReportedNotRead) {
  TempRegistry registry;
  std::string huge = "glyphward-registry 1\n";
  huge.resize(17 * 1024 * 1024, '#');
  registry.Write(huge);
  Key key;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"K", 0, KEY_READ, &key.h), ERROR_BADDB);
}

TEST(RegistryFile, HandWrittenFileWithCommentsAndChildrenFirstIsRead) {
  TempRegistry registry;
  registry.Write(
      "# made by hand\r\n"
      "glyphward-registry 1\r\n"
      "\r\n"
      "[Parent\\Child]\r\n"
      "@=\"\\u0001\"\r\n"
      "[Parent]\r\n"
      "\"x\"=\"\xe2\x82\xac\"\r\n");
  Key child;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Parent\\Child", 0, KEY_READ, &child.h),
            ERROR_SUCCESS);
  EXPECT_EQ(Query(child.h, nullptr), u"\x0001");
  Key parent;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Parent", 0, KEY_READ, &parent.h), ERROR_SUCCESS);
  EXPECT_EQ(Query(parent.h, u"x"), u"\u20ac");
}

TEST(RegistryFile, DefaultLocationFollowsXdgDataHome) {
  TempRegistry registry;
  unsetenv("GLYPHWARD_REGISTRY");
  setenv("XDG_DATA_HOME", registry.Folder().c_str(), 1);
  {
    Key key;
    EXPECT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"Here", &key.h), ERROR_SUCCESS);
  }
  unsetenv("XDG_DATA_HOME");
  TempRegistry check;
  setenv("GLYPHWARD_REGISTRY", (registry.Folder() + "/glyphward/registry").c_str(), 1);
  Key key;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Here", 0, KEY_READ, &key.h), ERROR_SUCCESS);
}

}  // namespace
