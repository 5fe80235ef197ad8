// BRDEXT.dll's COM plumbing: the exports, the class factory, the interfaces an extension object
// hands out, and when the library may be unloaded.
#include "brdext_library.h"
#include "extension_object.h"
#include "hdrop_data_object.h"

#include "shell_ext/windows/brdext_clsid.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include <shlobj.h>
#include <shobjidl.h>

namespace brindle::test {
namespace {

void* const kGarbage = reinterpret_cast<void*>(0x1234);

// {3C3641C3-DB74-4B37-856C-48BA006BE81A}: one bit away from the extension's own class.
constexpr CLSID kOtherClsid = {0x3c3641c3, 0xdb74, 0x4b37, {0x85, 0x6c, 0x48, 0xba, 0x00, 0x6b, 0xe8, 0x1a}};

class BrdExtCom : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DefaultBrdExt().loaded()) << "BRDEXT.dll or its exports are missing";
        ASSERT_EQ(DefaultBrdExt().canUnloadNow(), S_OK) << "an earlier test left an object alive";
    }
    void TearDown() override { EXPECT_EQ(DefaultBrdExt().canUnloadNow(), S_OK) << "this test left an object alive"; }
};

TEST_F(BrdExtCom, ClassObjectForTheExtensionOnly)
{
    struct SCase {
        const char* name;
        const CLSID& clsid;
        const IID& iid;
        HRESULT result;
    };
    const SCase cases[] = {
        {"factory", kBrdExtClsid, IID_IClassFactory, S_OK},
        {"unknown", kBrdExtClsid, IID_IUnknown, S_OK},
        {"other class", kOtherClsid, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {"null class", GUID_NULL, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {"context menu from the factory", kBrdExtClsid, IID_IContextMenu, E_NOINTERFACE},
        {"data object", kBrdExtClsid, IID_IDataObject, E_NOINTERFACE},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        void* out = kGarbage;
        EXPECT_EQ(DefaultBrdExt().getClassObject(c.clsid, c.iid, &out), c.result);
        if (c.result == S_OK) {
            ASSERT_NE(out, nullptr);
            EXPECT_EQ(DefaultBrdExt().canUnloadNow(), S_FALSE);
            static_cast<IUnknown*>(out)->Release();
        } else {
            EXPECT_EQ(out, nullptr);
        }
        // A refused factory is not left alive, or the library could never be unloaded.
        EXPECT_EQ(DefaultBrdExt().canUnloadNow(), S_OK);
    }
}

TEST_F(BrdExtCom, FactoryInterfacesAndCounts)
{
    IClassFactory* factory = nullptr;
    ASSERT_EQ(DefaultBrdExt().getClassObject(kBrdExtClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(factory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(factory));
    void* other = kGarbage;
    EXPECT_EQ(factory->QueryInterface(IID_IShellExtInit, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(factory->AddRef(), 3u);
    EXPECT_EQ(factory->Release(), 2u);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(factory->Release(), 0u);
    // LockServer does not keep the library loaded.
    EXPECT_EQ(DefaultBrdExt().canUnloadNow(), S_OK);
}

TEST_F(BrdExtCom, CreateInstanceInterfaces)
{
    struct SCase {
        const char* name;
        const IID& iid;
        bool aggregated;
        HRESULT result;
    };
    const SCase cases[] = {
        {"context menu", IID_IContextMenu, false, S_OK},
        {"shell extension init", IID_IShellExtInit, false, S_OK},
        {"unknown", IID_IUnknown, false, S_OK},
        {"context menu 2", IID_IContextMenu2, false, E_NOINTERFACE},
        {"context menu 3", IID_IContextMenu3, false, E_NOINTERFACE},
        {"class factory", IID_IClassFactory, false, E_NOINTERFACE},
        {"data object", IID_IDataObject, false, E_NOINTERFACE},
        {"aggregated unknown", IID_IUnknown, true, CLASS_E_NOAGGREGATION},
        {"aggregated context menu", IID_IContextMenu, true, CLASS_E_NOAGGREGATION},
    };
    IClassFactory* factory = nullptr;
    ASSERT_EQ(DefaultBrdExt().getClassObject(kBrdExtClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        void* out = kGarbage;
        IUnknown* outer = c.aggregated ? factory : nullptr;
        EXPECT_EQ(factory->CreateInstance(outer, c.iid, &out), c.result);
        if (c.result == S_OK) {
            ASSERT_NE(out, nullptr);
            EXPECT_EQ(static_cast<IUnknown*>(out)->Release(), 0u);
        } else {
            EXPECT_EQ(out, nullptr);
        }
    }
    factory->Release();
}

TEST_F(BrdExtCom, ObjectIdentity)
{
    CExtensionObject object;
    ASSERT_TRUE(object.made());
    IUnknown* fromMenu = nullptr;
    IUnknown* fromInit = nullptr;
    ASSERT_EQ(object.menu()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromMenu)), S_OK);
    ASSERT_EQ(object.init()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromInit)), S_OK);
    EXPECT_EQ(fromMenu, fromInit);
    EXPECT_EQ(static_cast<void*>(fromMenu), static_cast<void*>(object.init()));
    IContextMenu* menu = nullptr;
    ASSERT_EQ(object.init()->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
    EXPECT_EQ(menu, object.menu());
    menu->Release();
    fromMenu->Release();
    fromInit->Release();
    // Two references are left, the wrapper's own.
    EXPECT_EQ(object.menu()->AddRef(), 3u);
    EXPECT_EQ(object.init()->Release(), 2u);
}

TEST_F(BrdExtCom, UnloadOnlyWhenNoObjectLives)
{
    IClassFactory* factory = nullptr;
    ASSERT_EQ(DefaultBrdExt().getClassObject(kBrdExtClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(DefaultBrdExt().canUnloadNow(), S_FALSE);
    IContextMenu* menu = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
    factory->Release();
    EXPECT_EQ(DefaultBrdExt().canUnloadNow(), S_FALSE) << "the extension object still lives";
    menu->Release();
    EXPECT_EQ(DefaultBrdExt().canUnloadNow(), S_OK);
}

TEST_F(BrdExtCom, DataObjectHeldUntilTheNextInitializeOrTheEnd)
{
    CHDropDataObject* first = CHDropDataObject::create({});
    CHDropDataObject* second = CHDropDataObject::create({});
    {
        CExtensionObject object;
        ASSERT_TRUE(object.made());
        EXPECT_EQ(object.init()->Initialize(nullptr, first, nullptr), S_OK);
        EXPECT_EQ(first->references(), 2);
        EXPECT_EQ(object.init()->Initialize(nullptr, second, nullptr), S_OK);
        EXPECT_EQ(first->references(), 1);
        EXPECT_EQ(second->references(), 2);
        EXPECT_EQ(object.init()->Initialize(nullptr, nullptr, nullptr), E_FAIL);
        EXPECT_EQ(second->references(), 1);
        EXPECT_EQ(object.init()->Initialize(nullptr, second, nullptr), S_OK);
    }
    EXPECT_EQ(second->references(), 1) << "the last release of the object releases its data object";
    first->Release();
    second->Release();
}

// Shell windows on several threads make and release objects at the same time; a count that loses
// an update either frees an object twice or never lets the library go.
TEST_F(BrdExtCom, CountsHoldAcrossThreads)
{
    IClassFactory* factory = nullptr;
    ASSERT_EQ(DefaultBrdExt().getClassObject(kBrdExtClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([factory] {
            for (int i = 0; i < 2000; ++i) {
                factory->AddRef();
                IContextMenu* menu = nullptr;
                if (SUCCEEDED(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu)))) {
                    menu->AddRef();
                    menu->Release();
                    menu->Release();
                }
                factory->Release();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(DefaultBrdExt().canUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->Release(), 0u);
}

}  // namespace
}  // namespace brindle::test
