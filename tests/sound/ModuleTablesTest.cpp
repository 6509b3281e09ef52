// Two real modules, this program and a shared object, each with its own
// resources: every module finds its own under its own handle and neither
// sees the other's.
#include <gtest/gtest.h>

#include "SoundFiles.h"
#include "TestModule.h"
#include "glyphward_resources.h"

namespace {

constexpr DWORD kPayloadSize = 27;  // module/payload.txt

TEST(ModuleTables, EachModuleHasItsOwnHandle) {
  HMODULE program = GlyphwardModuleHandle();
  HMODULE library = TestModuleHandle();
  ASSERT_NE(program, nullptr);
  ASSERT_NE(library, nullptr);
  EXPECT_NE(program, library);
  EXPECT_EQ(library, GlyphwardModuleFromAddress(reinterpret_cast<const void*>(&TestModuleHandle)));
}

TEST(ModuleTables, TheSharedObjectFindsItsOwnResource) {
  EXPECT_EQ(TestModuleResourceSize(TestModuleHandle(), 7, "TEST"), kPayloadSize);
  EXPECT_EQ(TestModuleResourceSize(TestModuleHandle(), 7, "test"), kPayloadSize);
}

TEST(ModuleTables, NeitherModuleSeesTheOthersResources) {
  EXPECT_EQ(FindResourceA(GlyphwardModuleHandle(), MAKEINTRESOURCEA(7), "TEST"), nullptr);
  EXPECT_EQ(TestModuleResourceSize(GlyphwardModuleHandle(), 7, "TEST"), 0u);
  EXPECT_EQ(TestModuleResourceSize(TestModuleHandle(), 206, "WAVE"), 0u);
  EXPECT_EQ(TestModuleResourceSize(GlyphwardModuleHandle(), 206, "WAVE"), 0u);
  // Nor can a handle found in one module be used with another.
  HRSRC bank = FindResourceA(GlyphwardModuleHandle(), MAKEINTRESOURCEA(206), "WAVE");
  ASSERT_NE(bank, nullptr);
  EXPECT_EQ(SizeofResource(TestModuleHandle(), bank), 0u);
  EXPECT_EQ(LoadResource(TestModuleHandle(), bank), nullptr);
}

}  // namespace
