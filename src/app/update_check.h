// The update check of the Help menu: probing for the update library vprobe64, calling its entry
// point and reporting the answer.
#pragma once

#include <QString>
#include <QUrl>
#include <cstdint>
#include <memory>
#include <optional>

namespace brindle {

// The update library's entry point, exported with C linkage and so looked up under its plain name
// kCheckForUpdateName (no compiler decoration). It fetches the versions list from
// versionsLocation, compares it with the program at programPath and stores both versions, each
// encoded major * 10000 + minor * 100 + patch. The program passes false as flag.
// Results: 0 a newer version exists, 6 up to date, 1 to 3 try the fallback location, anything
// else failure.
using CheckForUpdateFunction = std::int32_t (*)(const char16_t* versionsLocation, const char16_t* programPath,
                                                std::int32_t* newVersion, std::int32_t* installedVersion, bool flag);
inline constexpr char kCheckForUpdateName[] = "CheckForUpdate";

// The update library's file name; it is looked for in the program's folder.
inline constexpr char kUpdateLibraryName[] = "libvprobe64.so";

// Where the library finds the versions list, and where it tries again on results 1 to 3.
inline constexpr char16_t kPrimaryVersionsLocation[] = u"https://brindle.example.org/versions/";
inline constexpr char16_t kFallbackVersionsLocation[] = u"https://downloads.tollan.example.net/brindle/versions/";

// The address of the prepared request for a new version.
inline constexpr char kUpdateRequestAddress[] = "updates@brindle.example.org";

inline constexpr std::int32_t kUpdateNewVersion = 0;
inline constexpr std::int32_t kUpdateUpToDate = 6;

// "major.minor.patch" of a version encoded major * 10000 + minor * 100 + patch.
QString versionText(std::int32_t version);

// The mail that asks for the new version: to kUpdateRequestAddress, naming the program and both
// versions.
QUrl updateRequestMail(const QString& programName, std::int32_t installedVersion, std::int32_t newVersion);

// What the update check shows. The application's prompts are message boxes and the desktop's
// mail program; tests put recorders in their place.
class CUpdatePrompts {
public:
    virtual ~CUpdatePrompts() = default;
    // Shows text (the string stringId, prepared) with Yes and No; true for Yes.
    virtual bool askYesNo(int stringId, const QString& text) = 0;
    // Shows text (the string stringId, prepared) with OK.
    virtual void inform(int stringId, const QString& text) = 0;
    // Opens the user's mail program with the mail of url (mailto:).
    virtual void openMail(const QUrl& url) = 0;
};

// The check for one update library. Availability is probed once (probe()), as the program starts;
// the check loads the library again each time and unloads it when done.
class CUpdateCheck {
public:
    // libraryPath: the update library; empty means kUpdateLibraryName in the program's folder.
    explicit CUpdateCheck(const QString& libraryPath = {});
    ~CUpdateCheck();
    CUpdateCheck(const CUpdateCheck&) = delete;
    CUpdateCheck& operator=(const CUpdateCheck&) = delete;

    static QString defaultLibraryPath();
    const QString& libraryPath() const { return m_libraryPath; }

    // Loads the library and unloads it at once; available() is the answer from then on.
    bool probe();
    bool available() const { return m_available; }

    // Replaces the prompts (by default message boxes and the mail program).
    void setPrompts(std::unique_ptr<CUpdatePrompts> prompts);

    // The check: calls the entry point with the primary location and, on results 1 to 3, once
    // more with the fallback location, then shows the answer of the last call. Returns that
    // result, or nullopt (nothing shown) when the library cannot be loaded or lacks the entry
    // point. The program path given is QCoreApplication::applicationFilePath() in full.
    std::optional<std::int32_t> run();

private:
    void report(std::int32_t result, std::int32_t installedVersion, std::int32_t newVersion);

    QString m_libraryPath;
    bool m_available = false;
    std::unique_ptr<CUpdatePrompts> m_prompts;
};

}  // namespace brindle
