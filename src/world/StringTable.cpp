// String table, message formatting, list sections and names.
#include "world/StringTable.h"

StringTable& StringTable::Instance() {
    static StringTable table;
    return table;
}
void StringTable::Load(std::string_view path) { table_.ReadSection("strings", path); loaded_ = true; }
void StringTable::Unload() { loaded_ = false; }
size_t StringTable::Count() { EnsureLoaded(); return table_.Size(); }
void StringTable::EnsureLoaded() { if (!loaded_) Load(); }
const std::string& StringTable::Get(std::string_view key) { EnsureLoaded(); return table_.Lookup(key); }
std::string GetString(std::string_view key) { return StringTable::Instance().Get(key); }
