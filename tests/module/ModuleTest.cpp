// The module's exports: class factory, unload answer and registration.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>
#include <thread>

#include "ModuleLoader.h"
#include "TempRegistry.h"
#include "winreg.h"

using module_tests::ModuleLoader;
using module_tests::TempRegistry;

namespace {

const CLSID kUnknownClass = {0x11111111, 0x2222, 0x3333, {4, 5, 6, 7, 8, 9, 10, 11}};

class Module : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(module.Loaded()); }
  ModuleLoader module;
};

// A minimal controlling object for aggregation.
struct Outer final : IUnknown {
  IUnknown* inner = nullptr;
  ULONG references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown) {
      *ppv = this;
      ++references;
      return S_OK;
    }
    return inner->QueryInterface(riid, ppv);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

TEST_F(Module, ExportsOnlyItsEntryPointsDiagnosticsAndIdentities) {
  for (const char* name : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer",
                           "DllUnregisterServer", "GlyphwardSetSeed", "GlyphwardGetEngineSteps",
                           "CLSID_Captcha", "IID_ICaptcha", "LIBID_MIRELGLYPHWARDLib"})
    EXPECT_NE(module.Symbol(name), nullptr) << name;
  for (const char* name : {"FindResourceA", "_ZN14MirelGlyphward14RegisterModuleEv"})
    EXPECT_EQ(module.Symbol(name), nullptr) << name;
}

TEST_F(Module, UnknownClassIsNotAvailableAndClearsTheOutPointer) {
  void* out = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(module.GetClassObject(kUnknownClass, IID_IClassFactory, &out),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(module.GetClassObject(CLSID_Captcha, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(Module, FactoryIsKeptForTheModulesLife) {
  IClassFactory* first = nullptr;
  IClassFactory* second = nullptr;
  ASSERT_EQ(
      module.GetClassObject(CLSID_Captcha, IID_IClassFactory, reinterpret_cast<void**>(&first)),
      S_OK);
  ASSERT_EQ(module.GetClassObject(CLSID_Captcha, IID_IUnknown, reinterpret_cast<void**>(&second)),
            S_OK);
  EXPECT_EQ(static_cast<IUnknown*>(first), static_cast<IUnknown*>(second));
  void* other = nullptr;
  EXPECT_EQ(first->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  first->Release();
  second->Release();
}

TEST_F(Module, AggregationNeedsIUnknown) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(
      module.GetClassObject(CLSID_Captcha, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
      S_OK);
  Outer outer;
  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(factory->CreateInstance(&outer, IID_ICaptcha, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_ICaptcha, nullptr), E_POINTER);

  ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, &object), S_OK);
  outer.inner = static_cast<IUnknown*>(object);
  // Queries through the inner object's interfaces reach the outer object.
  ICaptcha* captcha = nullptr;
  ASSERT_EQ(outer.QueryInterface(IID_ICaptcha, reinterpret_cast<void**>(&captcha)), S_OK);
  const ULONG before = outer.references;
  captcha->AddRef();
  EXPECT_EQ(outer.references, before + 1);
  captcha->Release();
  IUnknown* viaInner = nullptr;
  ASSERT_EQ(captcha->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&viaInner)), S_OK);
  EXPECT_EQ(viaInner, static_cast<IUnknown*>(&outer));
  viaInner->Release();
  captcha->Release();
  EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
  outer.inner->Release();
  EXPECT_EQ(module.CanUnloadNow(), S_OK);
  factory->Release();
}

TEST_F(Module, CanUnloadOnlyWithoutObjectsOrLocks) {
  EXPECT_EQ(module.CanUnloadNow(), S_OK);
  ICaptchaClass* a = module.Create();
  ICaptchaClass* b = module.Create();
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
  a->Release();
  EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
  b->Release();
  EXPECT_EQ(module.CanUnloadNow(), S_OK);

  IClassFactory* factory = nullptr;
  ASSERT_EQ(
      module.GetClassObject(CLSID_Captcha, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
      S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), E_UNEXPECTED);
  EXPECT_EQ(module.CanUnloadNow(), S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(module.CanUnloadNow(), S_OK);
  factory->Release();
}

TEST_F(Module, ObjectsShareTheModulesEngine) {
  ICaptchaClass* a = module.Create();
  ICaptchaClass* b = module.Create();
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  ASSERT_EQ(a->put_CodeLength(7), S_OK);
  LONG length = 0;
  ASSERT_EQ(b->get_CodeLength(&length), S_OK);
  EXPECT_EQ(length, 7);
  a->put_CodeLength(5);
  a->Release();
  b->Release();
}

TEST_F(Module, RegistrationWritesTheClassProgIdsAndTypeLibrary) {
  TempRegistry registry;
  ASSERT_EQ(module.Register(), S_OK);
  const std::string clsid = "{D53E867E-CF73-48EB-A052-A6369CF45F59}";
  const std::string text = registry.Read();
  for (const std::string& part :
       {"[CLSID\\" + clsid + "]\n@=\"Captcha Class\"\n[CLSID\\" + clsid +
            "\\InprocServer32]\n@=\"" + GLYPHWARD_MODULE_PATH +
            "\"\n\"ThreadingModel\"=\"Apartment\"\n[CLSID\\" + clsid + "\\ProgID]\n" +
            "@=\"Mirel.Glyphward.1\"\n[CLSID\\" + clsid + "\\Programmable]\n[CLSID\\" + clsid +
            "\\TypeLib]\n@=\"{76A42F20-140E-4C34-B415-22B6AC7764C4}\"\n[CLSID\\" + clsid +
            "\\VersionIndependentProgID]\n@=\"Mirel.Glyphward\"\n",
        "[Mirel.Glyphward]\n@=\"Captcha Class\"\n[Mirel.Glyphward\\CLSID]\n@=\"" + clsid +
            "\"\n[Mirel.Glyphward\\CurVer]\n@=\"Mirel.Glyphward.1\"\n",
        "[Mirel.Glyphward.1]\n@=\"Captcha Class\"\n[Mirel.Glyphward.1\\CLSID]\n@=\"" + clsid +
            "\"\n",
        std::string("[TypeLib\\{76A42F20-140E-4C34-B415-22B6AC7764C4}\\1.0]\n"
                    "@=\"MirelGlyphward 1.0 Type Library\"\n")})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\nin\n" << text;
}

TEST_F(Module, RegisteringTwiceLeavesOneCleanSet) {
  TempRegistry registry;
  ASSERT_EQ(module.Register(), S_OK);
  const std::string once = registry.Read();
  ASSERT_EQ(module.Register(), S_OK);
  EXPECT_EQ(registry.Read(), once);
}

TEST_F(Module, ReRegistrationRemovesStaleEntriesUnderTheClassKey) {
  TempRegistry registry;
  ASSERT_EQ(module.Register(), S_OK);
  const std::string clean = registry.Read();
  HKEY stale = nullptr;
  ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT,
                          u"CLSID\\{D53E867E-CF73-48EB-A052-A6369CF45F59}\\LocalServer32", &stale),
            ERROR_SUCCESS);
  RegCloseKey(stale);
  ASSERT_EQ(
      RegCreateKeyW(HKEY_CLASSES_ROOT,
                    u"CLSID\\{D53E867E-CF73-48EB-A052-A6369CF45F59}\\Programmable\\Old", &stale),
      ERROR_SUCCESS);
  RegSetValueExW(stale, u"x", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"y"), 4);
  RegCloseKey(stale);
  ASSERT_NE(registry.Read(), clean);
  ASSERT_EQ(module.Register(), S_OK);
  EXPECT_EQ(registry.Read(), clean);
}

TEST_F(Module, UnregistrationKeepsTheClsidKeyAndOtherClasses) {
  TempRegistry registry;
  HKEY other = nullptr;
  ASSERT_EQ(
      RegCreateKeyW(HKEY_CLASSES_ROOT, u"CLSID\\{00000000-0000-0000-0000-000000000001}", &other),
      ERROR_SUCCESS);
  RegCloseKey(other);
  const std::string before = registry.Read();
  ASSERT_EQ(module.Register(), S_OK);
  ASSERT_EQ(module.Unregister(), S_OK);
  // What registration made is gone except the containers it shares.
  EXPECT_EQ(registry.Read(), before + "[Interface]\n[TypeLib]\n");
  HKEY clsid = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"CLSID", 0, KEY_READ, &clsid), ERROR_SUCCESS);
  RegCloseKey(clsid);
  // Unregistering again finds nothing to remove and still succeeds.
  EXPECT_EQ(module.Unregister(), S_OK);
}

TEST_F(Module, RegistrationIntoACorruptRegistryFailsAndLeavesItAlone) {
  TempRegistry registry;
  registry.Write("glyphward-registry 1\n[broken\n");
  EXPECT_EQ(module.Register(), HRESULT_FROM_WIN32(ERROR_BADDB));
  EXPECT_EQ(module.Unregister(), HRESULT_FROM_WIN32(ERROR_BADDB));
  EXPECT_EQ(registry.Read(), "glyphward-registry 1\n[broken\n");
}

}  // namespace

namespace {

// Pictures keep per-thread scratch memory; neither that nor anything else
// may keep the module mapped once the host has let it go.
TEST(ModuleUnload, UnmapsAfterDrawingOnSeveralThreads) {
  {
    ModuleLoader loaded;
    ASSERT_TRUE(loaded.Loaded());
    auto draw = [&loaded] {
      ICaptchaClass* captcha = loaded.Create();
      if (!captcha) return false;
      bool drawn = true;
      for (LONG style : {4L, 31L, 38L}) {
        VARIANT picture;
        VariantInit(&picture);
        drawn = drawn && captcha->put_TextStyle(style) == S_OK &&
                captcha->CreateImage(&picture) == S_OK;
        VariantClear(&picture);
      }
      captcha->Release();
      return drawn;
    };
    bool onWorker = false;
    std::thread worker([&] { onWorker = draw(); });
    worker.join();
    EXPECT_TRUE(onWorker);
    EXPECT_TRUE(draw());
    EXPECT_EQ(loaded.CanUnloadNow(), S_OK);
  }
  EXPECT_EQ(dlopen(GLYPHWARD_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr);
}

}  // namespace
