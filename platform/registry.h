#pragma once
// A read-only registry of machine-wide values, in place of the system
// registry that the About box reads to find the system-information tool.
// Keys are opened and values read as the system's functions do: a handle
// from the open, the value's type and bytes from the read, 0 for success.
// Keys are opened for reading only; a request for the right to change a key
// is refused, since no key here may be changed.
//
// On a real machine it holds one value: "PATH" under
// "SOFTWARE\Microsoft\Shared Tools\MSINFO" of the local machine, of type
// REG_SZ, naming the first installed of a short list of system-information
// programs; nothing when none is installed. Tests put in values of their own.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace platform {

using HKEY = std::uint32_t;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_MORE_DATA = 234;

constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_EXPAND_SZ = 2;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;

// Access rights of an open.
constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
constexpr std::uint32_t KEY_CREATE_LINK = 0x0020;
constexpr std::uint32_t KEY_READ = 0x20019;

struct RegistryValue {
    std::uint32_t type = REG_SZ;
    QByteArray data; // the stored bytes, a text's terminating NUL included

    // A text value as the system stores it: its bytes and a NUL.
    static RegistryValue text(const QString& s, std::uint32_t type = REG_SZ);
    static RegistryValue bytes(std::uint32_t type, const QByteArray& data) { return {type, data}; }
};

// Values by key path (below the root) and value name. Names match without
// regard to case, as the system's do.
struct RegistryKey {
    HKEY root = HKEY_LOCAL_MACHINE;
    QString path;
    QMap<QString, RegistryValue> values;
};
using RegistryContent = QList<RegistryKey>;

// The programs looked for, in order, to fill the machine's value.
const QStringList& systemInformationPrograms();

// Tests: the registry holds exactly this content from now on.
void setRegistryContent(const RegistryContent& content);
// Tests: back to the machine's own content.
void resetRegistry();
// Tests: the names of the values read so far (successful or not), in order,
// since the content was last set.
QStringList registryReads();

long RegOpenKeyExA(HKEY hKey, const QString& lpSubKey, std::uint32_t ulOptions, std::uint32_t samDesired,
                   HKEY* phkResult);
// Reads a value into data (which keeps its size) and sets *lpcbData to the
// value's size in bytes; ERROR_MORE_DATA when it does not fit.
long RegQueryValueExA(HKEY hKey, const QString& lpValueName, std::uint32_t lpReserved, std::uint32_t* lpType,
                      QByteArray& data, std::uint32_t* lpcbData);
long RegCloseKey(HKEY hKey);

} // namespace platform
