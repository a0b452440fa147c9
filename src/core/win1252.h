#pragma once
// The one place where the Windows-1252 bytes of the logic meet Qt's Unicode strings.

#include <QString>
#include <string>

namespace kalven {

QString FromWin1252(const std::string& bytes);
// Characters that Windows-1252 cannot hold become "?".
std::string ToWin1252(const QString& text);

}  // namespace kalven
