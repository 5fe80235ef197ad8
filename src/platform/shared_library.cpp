#include "platform/shared_library.h"

#include "platform/utf8.h"

#include <dlfcn.h>
#include <utility>

namespace brindle {

namespace {

std::string lastLoaderError()
{
    const char* text = ::dlerror();
    return text ? std::string(text) : std::string("unknown loader error");
}

}  // namespace

CSharedLibrary::~CSharedLibrary() { unload(); }

CSharedLibrary::CSharedLibrary(CSharedLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_error(std::move(other.m_error))
{
}

CSharedLibrary& CSharedLibrary::operator=(CSharedLibrary&& other) noexcept
{
    if (this != &other) {
        unload();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_error = std::move(other.m_error);
    }
    return *this;
}

bool CSharedLibrary::load(std::u16string_view path)
{
    unload();
    // dlopen takes an empty name for the program itself; that is never a library to load here.
    if (path.empty()) {
        m_error = "empty library path";
        return false;
    }
    // RTLD_LOCAL keeps the library's symbols out of the program's namespace, so two libraries
    // with the same entry-point name never see each other's.
    m_handle = ::dlopen(nativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        m_error = lastLoaderError();
        return false;
    }
    m_error.clear();
    return true;
}

void CSharedLibrary::unload()
{
    if (m_handle) {
        ::dlclose(m_handle);
        m_handle = nullptr;
    }
}

void* CSharedLibrary::symbol(const char* name)
{
    if (!m_handle) {
        m_error = "no library loaded";
        return nullptr;
    }
    ::dlerror();
    void* address = ::dlsym(m_handle, name);
    // A symbol may legitimately have the address 0; only dlerror tells a failure apart.
    if (const char* text = ::dlerror()) {
        m_error = text;
        return nullptr;
    }
    if (!address)
        m_error = std::string("symbol ") + name + " has no address";
    else
        m_error.clear();
    return address;
}

}  // namespace brindle
