#pragma once
// Conversions between the program's byte strings and Qt text.
#include <QFile>
#include <QString>
#include <string>

#include "common/encoding.h"

namespace vx {

// CP932 bytes (header names, settings texts) for display.
inline QString FromCp932(const std::string& s) { return QString::fromStdString(Cp932ToUtf8(s)); }
// Native file-system path bytes for display, and back.
inline QString FromNativePath(const std::string& p) {
    return QFile::decodeName(QByteArray::fromStdString(p));
}
inline std::string ToNativePath(const QString& p) { return QFile::encodeName(p).toStdString(); }

}  // namespace vx
