// The private-profile functions: settings kept in INI files, read and written one entry at a time.
// Every call reads the file afresh (except inside a ProfileReadOnce, below); every write replaces the file in one
// step (never half-written) and leaves all other sections, keys, comments and blank lines as they were.
#pragma once

#include "platform/sys/wintypes.h"

// The value of key in section, or def (null: ""; trailing blanks dropped) when the file, section or key is
// missing. Copies at most size - 1 characters and a terminator; returns the characters copied.
// A null key lists the section's keys, a null section the file's sections: each name terminated, the list ended
// by a second terminator (cut lists end in two terminators and return size - 2).
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR out, DWORD size, LPCSTR file);

// The leading decimal number of the value (optional sign; none: 0), or def when the key is missing or empty.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT def, LPCSTR file);

// Writes key=value into section (created when missing, file created when missing). A null value removes the
// key, a null key removes the whole section. FALSE when section or file is null, when an existing file cannot
// be read, or when the new file cannot be written; the old file is then unchanged.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file);

// The whole section as "key=value" strings, each terminated, ended by a second terminator; characters copied.
DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR out, DWORD size, LPCSTR file);

namespace platform::sys {

// While one lives, the profile functions read each file once: the first call parses it and later calls answer
// from that copy, which this process's own writes keep up to date. For a run of look-ups that belong together
// (a program's settings at start), so that they see one state of the file and do not read it again per key.
// Scopes nest; the copies are dropped when the outermost one ends.
class ProfileReadOnce {
 public:
  ProfileReadOnce();
  ~ProfileReadOnce();
  ProfileReadOnce(const ProfileReadOnce&) = delete;
  ProfileReadOnce& operator=(const ProfileReadOnce&) = delete;
};

// How many times the profile functions have read a file from disk (tests).
long ProfileFileReads();

}  // namespace platform::sys
