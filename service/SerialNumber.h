#pragma once
// Rewriting the controller's serial number, behind the service access code.
#include <QString>

namespace service {

// The whole text, exactly: no trimming, case-sensitive.
bool isServiceCode(const QString &text);

// Four characters, each printable ASCII (blanks included). The controller
// reports the serial number as four characters at fixed places of its
// identification line, so nothing else can travel.
bool isValidSerialNumber(const QString &text);

// "*SN" and the four characters.
QString serialNumberCommand(const QString &serial);

} // namespace service
