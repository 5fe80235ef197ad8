// Loading a shared library at run time and finding its exported symbols.
#pragma once

#include <string>
#include <string_view>

namespace brindle {

// One loaded shared library (dlopen). The library stays loaded while the object holds it and is
// unloaded by unload(), by loading another one, or on destruction. Symbols are found by their
// exported name as it stands in the library's symbol table: a function exported with C linkage
// is found by its plain name. Move-only.
class CSharedLibrary {
public:
    CSharedLibrary() = default;
    ~CSharedLibrary();
    CSharedLibrary(CSharedLibrary&& other) noexcept;
    CSharedLibrary& operator=(CSharedLibrary&& other) noexcept;
    CSharedLibrary(const CSharedLibrary&) = delete;
    CSharedLibrary& operator=(const CSharedLibrary&) = delete;

    // Unloads what is held, then loads the library at path with every symbol resolved at once.
    // A path without '/' is searched for along the system's library path. False with error()
    // set when the library cannot be loaded (missing, not a library, unresolved dependency).
    bool load(std::u16string_view path);
    void unload();
    bool isLoaded() const { return m_handle != nullptr; }

    // The address of the exported symbol name, or nullptr (error() then says why).
    void* symbol(const char* name);
    // The exported function name as a pointer of type Function, or nullptr. The caller vouches
    // for the signature.
    template <class Function>
    Function function(const char* name)
    {
        return reinterpret_cast<Function>(symbol(name));
    }

    // The loader's text of the last failure, empty after a success.
    const std::string& error() const { return m_error; }

private:
    void* m_handle = nullptr;
    std::string m_error;
};

}  // namespace brindle
