// The registry script parser and the component's own script.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "RegistrarScript.h"

using MirelGlyphward::ParseRegistrarScript;
using MirelGlyphward::ScriptKey;

namespace {

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(RegistrarScript, ComponentScriptDescribesTheClassAndProgIds) {
  const auto keys = ParseRegistrarScript(ReadFile(GLYPHWARD_REGISTRY_SCRIPT),
                                         {{"MODULE", u"/opt/lib/MirelGlyphward.so"}});
  ASSERT_TRUE(keys);
  ASSERT_EQ(keys->size(), 3u);
  const ScriptKey& versioned = (*keys)[0];
  EXPECT_EQ(versioned.name, u"Mirel.Glyphward.1");
  EXPECT_EQ(versioned.flag, ScriptKey::Flag::kNone);
  EXPECT_EQ(versioned.defaultValue, u"Captcha Class");
  ASSERT_EQ(versioned.subkeys.size(), 1u);
  EXPECT_EQ(versioned.subkeys[0].defaultValue, u"{D53E867E-CF73-48EB-A052-A6369CF45F59}");
  const ScriptKey& independent = (*keys)[1];
  ASSERT_EQ(independent.subkeys.size(), 2u);
  EXPECT_EQ(independent.subkeys[1].name, u"CurVer");
  EXPECT_EQ(independent.subkeys[1].defaultValue, u"Mirel.Glyphward.1");

  const ScriptKey& clsid = (*keys)[2];
  EXPECT_EQ(clsid.flag, ScriptKey::Flag::kNoRemove);
  ASSERT_EQ(clsid.subkeys.size(), 1u);
  const ScriptKey& cls = clsid.subkeys[0];
  EXPECT_EQ(cls.flag, ScriptKey::Flag::kForceRemove);
  EXPECT_EQ(cls.name, u"{D53E867E-CF73-48EB-A052-A6369CF45F59}");
  ASSERT_EQ(cls.subkeys.size(), 5u);
  EXPECT_EQ(cls.subkeys[2].name, u"Programmable");
  EXPECT_EQ(cls.subkeys[2].flag, ScriptKey::Flag::kForceRemove);
  EXPECT_FALSE(cls.subkeys[2].defaultValue);
  const ScriptKey& server = cls.subkeys[3];
  EXPECT_EQ(server.name, u"InprocServer32");
  EXPECT_EQ(server.defaultValue, u"/opt/lib/MirelGlyphward.so");
  ASSERT_EQ(server.values.size(), 1u);
  EXPECT_EQ(server.values[0].first, u"ThreadingModel");
  EXPECT_EQ(server.values[0].second, u"Apartment");
  EXPECT_EQ(cls.subkeys[4].defaultValue, u"{76A42F20-140E-4C34-B415-22B6AC7764C4}");
}

TEST(RegistrarScript, QuotesPercentSignsAndCaseOfKeywords) {
  const auto keys = ParseRegistrarScript(
      "hkey_classes_root { noremove 'It''s' = s '100%% %A%' { VAL x = s '' } }", {{"A", u"a"}});
  ASSERT_TRUE(keys);
  ASSERT_EQ(keys->size(), 1u);
  EXPECT_EQ((*keys)[0].name, u"It's");
  EXPECT_EQ((*keys)[0].flag, ScriptKey::Flag::kNoRemove);
  EXPECT_EQ((*keys)[0].defaultValue, u"100% a");
  ASSERT_EQ((*keys)[0].values.size(), 1u);
  EXPECT_EQ((*keys)[0].values[0].second, u"");
}

class BadScript : public ::testing::TestWithParam<const char*> {};

TEST_P(BadScript, IsRefused) {
  EXPECT_FALSE(ParseRegistrarScript(GetParam(), {{"MODULE", u"m"}}));
}

INSTANTIATE_TEST_SUITE_P(
    RegistrarScript, BadScript,
    ::testing::Values("HKLM { Key }", "HKCR { Key", "HKCR { Key = s 'open }",
                      "HKCR { Key = d '1' }", "HKCR { val x = s 'y' }",
                      "HKCR { Key = s '%UNKNOWN%' }", "HKCR { Key = s '%' }", "HKCR { '' }",
                      "HKCR { {open = s 'x' }", "HKCR { Key \xc3\xa9 }", "HKCR } {",
                      "HKCR { a { b { c { d { e { f { g { h { i { j { k { l "
                      "{ m { n { o { p { q { r { s { t { u { v { w { x { y "
                      "{ z { A { B { C { D { E { F { G { H } } } } } } } } } } } "
                      "} } } } } } } } } } } } } } } } } } } } } } }"));

}  // namespace
