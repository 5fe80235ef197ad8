// Code pages: the registry of pages by number and the choice of the system ANSI code page.
#include "platform/code_page.h"

#include "platform/code_page_loader.h"
#include "platform/code_page_names.h"
#include "platform/utf8_code_page.h"

#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

namespace brindle {

namespace {

const CCodePage& utf8Page()
{
    static const CUtf8CodePage page;
    return page;
}

std::string_view localeCodeset()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        const std::string_view locale(value);
        const std::size_t dot = locale.find('.');
        if (dot == std::string_view::npos)
            return {};
        const std::string_view rest = locale.substr(dot + 1);
        return rest.substr(0, rest.find('@'));
    }
    return {};
}

// A locale without a character set, or with one that no usable page matches, gets UTF-8: it is
// a lossless superset of ASCII.
const CCodePage& detectAnsi()
{
    if (const char* acp = std::getenv("BRINDLE_ACP")) {
        const std::uint32_t number = parseCodePageNumber(acp);
        if (number != kCodePageAnsi) {
            if (const CCodePage* page = CCodePage::byNumber(number))
                return *page;
        }
    }
    const std::uint32_t number = codePageForCodeset(localeCodeset());
    const CCodePage* page = number != kCodePageAnsi ? CCodePage::byNumber(number) : nullptr;
    return page ? *page : utf8Page();
}

// Detecting twice in a race gives the same page, so no lock is needed.
std::atomic<const CCodePage*> g_ansi{nullptr};

}  // namespace

const CCodePage& CCodePage::ansi()
{
    const CCodePage* page = g_ansi.load(std::memory_order_acquire);
    if (page == nullptr) {
        page = &detectAnsi();
        g_ansi.store(page, std::memory_order_release);
    }
    return *page;
}

void CCodePage::resetAnsiForTesting() { g_ansi.store(nullptr, std::memory_order_release); }

const CCodePage* CCodePage::byNumber(std::uint32_t number)
{
    if (number == kCodePageAnsi)
        return &ansi();
    if (number == kCodePageUtf8)
        return &utf8Page();
    // Pages are read from iconv on first use and kept, unknown numbers as nullptr, so that a
    // page costs its start-up once and its pointer stays valid.
    static std::mutex mutex;
    static std::map<std::uint32_t, std::unique_ptr<CCodePage>> pages;
    std::lock_guard lock(mutex);
    auto [entry, added] = pages.try_emplace(number);
    if (added)
        entry->second = loadCodePage(number);
    return entry->second.get();
}

std::u16string CCodePage::toUtf16(std::string_view bytes) const
{
    std::u16string out;
    appendUtf16(bytes, out);
    return out;
}

std::string CCodePage::toBytes(std::u16string_view text, char replacement) const
{
    std::string out;
    appendBytes(text, out, replacement);
    return out;
}

}  // namespace brindle
