// FindResourceA and the calls around it: lookup by number, string and case,
// per-module tables, and handles that belong to another module.
#include <gtest/gtest.h>

#include <cstring>

#include "SoundFiles.h"
#include "TestResources.h"

namespace {

using SoundTests::FakeModule;
using SoundTests::ReadResourceFile;

const BYTE kAlpha[] = {1, 2, 3, 4, 5};
const BYTE kNumbered[] = {9};
const GLYPHWARD_RESOURCE kTable[] = {
    {"REGISTRY", "Alpha", kAlpha, 5},
    {"REGISTRY", MAKEINTRESOURCEA(101), kNumbered, 1},
    {MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(7), kAlpha, 2},
};

HRSRC FindBank(HMODULE module) {
  return FindResourceA(module, MAKEINTRESOURCEA(206), "WAVE");
}

TEST(ResourceStandIn, LockedResourceIsTheEmbeddedData) {
  HMODULE self = GlyphwardModuleHandle();
  HRSRC bank = FindBank(self);
  HGLOBAL loaded = LoadResource(self, bank);
  ASSERT_NE(loaded, nullptr);
  SoundTests::Bytes expected = ReadResourceFile("clip_bank.bin");
  const void* data = LockResource(loaded);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::memcmp(data, expected.data(), expected.size()), 0);
  // The data lives as long as the module, whatever FreeResource says.
  FreeResource(loaded);
  EXPECT_EQ(std::memcmp(LockResource(LoadResource(self, bank)), expected.data(), 64), 0);
}

// Type names ignore case and numbers may be written with a hash; anything
// else names nothing.
TEST(ResourceStandIn, NamesAndTypes) {
  HMODULE self = GlyphwardModuleHandle();
  const HRSRC bank = FindBank(self);
  const struct {
    LPCSTR name, type;
    bool found;
  } cases[] = {{MAKEINTRESOURCEA(206), "wave", true},
               {MAKEINTRESOURCEA(206), "Wave", true},
               {"#206", "WAVE", true},
               {MAKEINTRESOURCEA(205), "WAVE", false},
               {MAKEINTRESOURCEA(0), "WAVE", false},
               {MAKEINTRESOURCEA(206), "WAVES", false},
               {MAKEINTRESOURCEA(206), "WAV", false},
               {MAKEINTRESOURCEA(206), nullptr, false},
               {MAKEINTRESOURCEA(206), MAKEINTRESOURCEA(10), false},
               {"206", "WAVE", false},
               {"#206x", "WAVE", false},
               {"#", "WAVE", false}};
  for (const auto& c : cases)
    EXPECT_EQ(FindResourceA(self, c.name, c.type), c.found ? bank : nullptr)
        << (IS_INTRESOURCE(c.name) ? "#" + std::to_string(uintptr_t(c.name)) : c.name);
}

TEST(ResourceStandIn, NullModuleMeansTheExecutable) {
  // The test program is itself the module that carries the sound resources.
  EXPECT_EQ(GlyphwardMainModule(), GlyphwardModuleHandle());
  EXPECT_EQ(FindBank(nullptr), FindBank(GlyphwardModuleHandle()));
  EXPECT_NE(FindBank(nullptr), nullptr);
}

TEST(ResourceStandIn, RegisteredTableIsFoundOnlyUnderItsModule) {
  HMODULE module = FakeModule(10);
  HRSRC alpha = nullptr;
  {
    Glyphward::ResourceRegistration registration(module, kTable, 3);
    alpha = FindResourceA(module, "ALPHA", "registry");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(SizeofResource(module, alpha), 5u);
    EXPECT_EQ(LockResource(LoadResource(module, alpha)), kAlpha);
    EXPECT_EQ(FindResourceA(GlyphwardModuleHandle(), "Alpha", "REGISTRY"), nullptr);
    EXPECT_EQ(FindResourceA(FakeModule(11), "Alpha", "REGISTRY"), nullptr);
    EXPECT_EQ(SizeofResource(GlyphwardModuleHandle(), alpha), 0u);

    HRSRC numbered = FindResourceA(module, MAKEINTRESOURCEA(101), "REGISTRY");
    ASSERT_NE(numbered, nullptr);
    EXPECT_EQ(SizeofResource(module, numbered), 1u);
    // A number and a string of its digits are different names.
    EXPECT_EQ(FindResourceA(module, "101", "REGISTRY"), nullptr);
    // Numbered types, also written as "#10".
    HRSRC typed = FindResourceA(module, MAKEINTRESOURCEA(7), MAKEINTRESOURCEA(10));
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(FindResourceA(module, "#7", "#10"), typed);
    EXPECT_EQ(SizeofResource(module, typed), 2u);
  }
  // Gone with its registration.
  EXPECT_EQ(FindResourceA(module, "ALPHA", "registry"), nullptr);
  EXPECT_EQ(SizeofResource(module, alpha), 0u);
}

TEST(ResourceStandIn, ForgedHandlesAreRefused) {
  HMODULE self = GlyphwardModuleHandle();
  GLYPHWARD_RESOURCE forged = {"WAVE", MAKEINTRESOURCEA(206), kAlpha, 5};
  HRSRC handle = reinterpret_cast<HRSRC>(&forged);
  EXPECT_EQ(SizeofResource(self, handle), 0u);
  EXPECT_EQ(LoadResource(self, handle), nullptr);
  EXPECT_EQ(SizeofResource(self, nullptr), 0u);
  EXPECT_EQ(LoadResource(self, nullptr), nullptr);
}

TEST(ResourceStandIn, RegistrationNeedsAModuleAndATable) {
  EXPECT_FALSE(GlyphwardRegisterResources(nullptr, kTable, 3));
  EXPECT_FALSE(GlyphwardRegisterResources(FakeModule(12), nullptr, 3));
}

}  // namespace
