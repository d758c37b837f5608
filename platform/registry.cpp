#include "platform/registry.h"

#include <QStandardPaths>
#include <optional>

namespace platform {

namespace {

constexpr std::uint32_t WriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK;

struct State {
    std::optional<RegistryContent> content; // empty until first needed
    QMap<HKEY, int> open;                     // handle -> key in content
    HKEY nextHandle = 0x100;
    QStringList reads;
};

State& state()
{
    static State s;
    return s;
}

RegistryContent machineContent()
{
    for (const QString& name : systemInformationPrograms()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) {
            RegistryKey key{HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), {}};
            key.values.insert(QStringLiteral("PATH"), RegistryValue::text(path));
            return {key};
        }
    }
    return {};
}

const RegistryContent& content()
{
    State& s = state();
    if (!s.content)
        s.content = machineContent();
    return *s.content;
}

} // namespace

RegistryValue RegistryValue::text(const QString& s, std::uint32_t type)
{
    return {type, s.toLocal8Bit() + '\0'};
}

const QStringList& systemInformationPrograms()
{
    static const QStringList programs{QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
                                      QStringLiteral("kinfocenter"), QStringLiteral("lshw-gtk")};
    return programs;
}

void setRegistryContent(const RegistryContent& content)
{
    State& s = state();
    s.content = content;
    s.open.clear();
    s.reads.clear();
}

void resetRegistry()
{
    State& s = state();
    s.content.reset();
    s.open.clear();
    s.reads.clear();
}

QStringList registryReads()
{
    return state().reads;
}

long RegOpenKeyExA(HKEY hKey, const QString& lpSubKey, std::uint32_t ulOptions, std::uint32_t samDesired,
                   HKEY* phkResult)
{
    (void)ulOptions;
    if (!phkResult)
        return ERROR_INVALID_HANDLE;
    const RegistryContent& keys = content();
    for (int k = 0; k < keys.size(); ++k) {
        if (keys[k].root != hKey || keys[k].path.compare(lpSubKey, Qt::CaseInsensitive) != 0)
            continue;
        if (samDesired & WriteRights)
            return ERROR_ACCESS_DENIED; // keys here may only be read
        State& s = state();
        *phkResult = s.nextHandle++;
        s.open.insert(*phkResult, k);
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

long RegQueryValueExA(HKEY hKey, const QString& lpValueName, std::uint32_t lpReserved, std::uint32_t* lpType,
                      QByteArray& data, std::uint32_t* lpcbData)
{
    (void)lpReserved;
    State& s = state();
    s.reads << lpValueName;
    const auto handle = s.open.constFind(hKey);
    if (handle == s.open.cend() || !lpcbData)
        return ERROR_INVALID_HANDLE;
    const RegistryKey& key = content()[*handle];
    for (auto it = key.values.cbegin(); it != key.values.cend(); ++it) {
        if (it.key().compare(lpValueName, Qt::CaseInsensitive) != 0)
            continue;
        const QByteArray& stored = it->data;
        const std::uint32_t room = std::min<std::uint32_t>(*lpcbData, std::uint32_t(data.size()));
        if (lpType)
            *lpType = it->type;
        *lpcbData = std::uint32_t(stored.size());
        if (std::uint32_t(stored.size()) > room)
            return ERROR_MORE_DATA;
        data.replace(0, stored.size(), stored);
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

long RegCloseKey(HKEY hKey)
{
    return state().open.remove(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

} // namespace platform
