#include "platform/iconv_converter.h"

#include <cerrno>
#include <iconv.h>
#include <utility>

namespace brindle {

namespace {

iconv_t descriptorOf(void* handle) { return static_cast<iconv_t>(handle); }

}  // namespace

CIconvConverter::CIconvConverter(const char* to, const char* from)
{
    const iconv_t descriptor = iconv_open(to, from);
    if (descriptor != reinterpret_cast<iconv_t>(-1))
        m_descriptor = descriptor;
}

CIconvConverter::~CIconvConverter() { close(); }

CIconvConverter::CIconvConverter(CIconvConverter&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, nullptr))
{
}

CIconvConverter& CIconvConverter::operator=(CIconvConverter&& other) noexcept
{
    if (this != &other) {
        close();
        m_descriptor = std::exchange(other.m_descriptor, nullptr);
    }
    return *this;
}

bool CIconvConverter::isOpen() const { return m_descriptor != nullptr; }

void CIconvConverter::close()
{
    if (m_descriptor != nullptr)
        iconv_close(descriptorOf(m_descriptor));
    m_descriptor = nullptr;
}

void CIconvConverter::reset() { iconv(descriptorOf(m_descriptor), nullptr, nullptr, nullptr, nullptr); }

CIconvConverter::Outcome CIconvConverter::convert(const char*& in, std::size_t& inLeft, char*& out,
                                                  std::size_t& outLeft)
{
    // glibc never writes through the input pointer; the parameter is char** for old reasons.
    char* input = const_cast<char*>(in);
    const std::size_t result = iconv(descriptorOf(m_descriptor), &input, &inLeft, &out, &outLeft);
    in = input;
    return outcomeOf(result);
}

CIconvConverter::Outcome CIconvConverter::flush(char*& out, std::size_t& outLeft)
{
    return outcomeOf(iconv(descriptorOf(m_descriptor), nullptr, nullptr, &out, &outLeft));
}

CIconvConverter::Outcome CIconvConverter::outcomeOf(std::size_t result)
{
    if (result != static_cast<std::size_t>(-1))
        return Outcome::Done;
    switch (errno) {
    case E2BIG: return Outcome::OutputFull;
    case EINVAL: return Outcome::Incomplete;
    default: return Outcome::Invalid;
    }
}

}  // namespace brindle
