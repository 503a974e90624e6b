#pragma once

// The password is never stored, only this digest of it (property
// PasswordDigest of the password-lock record): the sum over the characters of
// (100 - i) times the character's UTF-16 code, i counting from 0, as a signed
// 64-bit number. Stored digests depend on this exact rule; do not change it.
//
// The digest 0 means "no password". Past the 100th character the weights turn
// negative, so a long password can digest to 0 (201 equal characters do) and
// would silently switch the lock off; the password fields therefore accept at
// most MaxPasswordLength characters.

#include <QString>
#include <QStringView>
#include <QtGlobal>

constexpr int MaxPasswordLength = 100;

// 0 for the empty password. Wraps rather than overflows on absurd lengths.
qint64 passwordDigest(QStringView password);

// Whether a password field may take the text: at most MaxPasswordLength
// characters, and a digest of 0 only for the empty text (which clears the
// password), so a text of NUL characters cannot pose as a password.
bool isAcceptablePassword(QStringView password);
