// SPDX-License-Identifier: MIT
#include "platform/files.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdlib>

#include "platform/io/safe_file.h"

namespace xmascard {

std::optional<std::string> Environ(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string soundDirectory() {
    for (const char* name : {"WINDIR", "Windir", "windir"})
        if (auto dir = Environ(name); dir && !dir->empty()) return *dir;
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) cache = QDir::tempPath();
    const QString dir = cache + "/xmascard";
    QDir().mkpath(dir);  // a failure shows when the files are written
    return dir.toStdString();
}

std::optional<std::vector<char>> LoadResData(int id, const std::string& type) {
    QFile file(QString(":/%1/%2").arg(QString::fromStdString(type)).arg(id));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray data = file.readAll();
    return std::vector<char>(data.begin(), data.end());
}

std::optional<std::string> writeWholeFile(const std::string& path, const std::vector<char>& bytes) {
    return io::writeFileSafely(path,
                               {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

}  // namespace xmascard
