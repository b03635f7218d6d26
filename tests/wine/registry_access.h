// Registry reads and writes shared by the seeding and the checks, each
// reporting its own failure in terms of the key and value concerned.
#pragma once
#include "../footprint.h"
#include <windows.h>
#include <string>

HKEY RootKey(TestRoot root);
std::string Where(TestRoot root, const std::string &path);
std::string Where(TestRoot root, const std::string &path, const char *name);

bool WriteValue(TestRoot root, const std::string &path, const char *name, const char *data);
void ExpectValue(TestRoot root, const std::string &path, const char *name, const char *data);
// Gone means not found, as the key itself: a link is not followed.
void ExpectKeyGone(TestRoot root, const std::string &path);
// Gone from a key that stays.
void ExpectValueGone(TestRoot root, const std::string &path, const char *name);

// Whether the key (as itself, even a link) or the value is there now.
bool KeyPresent(TestRoot root, const std::string &path);
bool ValuePresent(TestRoot root, const std::string &path, const char *name);
