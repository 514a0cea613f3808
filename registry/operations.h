// The accessor's operations, each defined in the file of its group and gathered into the slot
// table by slot_table.cpp. Callers go through the table, never through these names.
#pragma once

#include "registry/registry_accessor.h"

// registry/basics.cpp
void destroyAccessor(Accessor self);
std::unique_ptr<RegistryAccessor> copyAccessor(Accessor self);
void noEffect(Accessor self);
Hkey rootHandle(Accessor self, RootType root);
std::string rootName(Accessor self, RootType root);
std::string splitValuePath(Accessor self, std::string& path, std::int32_t& wholeKey, std::int32_t);
std::string bytesToHex(Accessor self, Bytes& bytes, OptionalInt start, OptionalInt count,
                       OptionalInt commas);
Bytes textToWide(Accessor self, std::string& text);
std::string wideToText(Accessor self, Bytes& wide);
std::int32_t is64BitSystem(Accessor self);

// registry/call_routine.cpp
bool callRoutine(Accessor self, Address routine, std::int32_t callerCleans, std::int32_t,
                 std::int32_t& result, std::int32_t, const RoutineArguments& arguments);

// registry/reads.cpp
long openKey(Accessor self, Hkey root, std::string& keyPath, Hkey& key);
long openKeyView64(Accessor self, Hkey root, std::string& keyPath, Hkey& key);
bool valueExists(Accessor self, RootType root, std::string& path);
std::int32_t readInt(Accessor self, RootType root, std::string& path);
Bytes readBytes(Accessor self, RootType root, std::string& path);
std::string readText(Accessor self, RootType root, std::string& path);
std::string readMultiText(Accessor self, RootType root, std::string& path);
std::string readExpandText(Accessor self, RootType root, std::string& path);
std::int32_t readIntView64(Accessor self, RootType root, std::string& path);
Bytes readBytesView64(Accessor self, RootType root, std::string& path);
std::string readTextView64(Accessor self, RootType root, std::string& path);
std::string readMultiTextView64(Accessor self, RootType root, std::string& path);
std::string readExpandTextView64(Accessor self, RootType root, std::string& path);

// registry/enumeration.cpp
long enumSubkey(Accessor self, Hkey key, std::int32_t index, std::string& name);
long enumValue(Accessor self, Hkey key, std::int32_t index, ValueInfo& value);
std::int32_t countSubkeys(Accessor self, Hkey key);
std::int32_t listKeyTree(Accessor self, TreeList& list, RootType root, std::string& keyPath,
                         OptionalInt recursive, Address progress);
std::int32_t listKeyTreeView64(Accessor self, TreeList& list, RootType root, std::string& keyPath,
                               OptionalInt recursive, Address progress);

// registry/writes.cpp
bool writeInt(Accessor self, RootType root, std::string& path, std::int32_t value);
bool writeBytes(Accessor self, RootType root, std::string& path, Bytes& bytes);
bool writeText(Accessor self, RootType root, std::string& path, std::string& text);
bool writeMultiText(Accessor self, RootType root, std::string& path, std::string& text);
bool writeExpandText(Accessor self, RootType root, std::string& path, std::string& text);
bool deleteEntry(Accessor self, RootType root, std::string& path, OptionalInt);
bool deleteEntryView64(Accessor self, RootType root, std::string& path, OptionalInt);

// registry/reg_import.cpp
bool importRegFile(Accessor self, std::string& file);
bool importRegText(Accessor self, std::string& text);
bool writeIntView64(Accessor self, RootType root, std::string& path, std::int32_t value);
bool writeTextView64(Accessor self, RootType root, std::string& path, std::string& text);
bool writeBytesView64(Accessor self, RootType root, std::string& path, Bytes& bytes);
bool writeMultiTextView64(Accessor self, RootType root, std::string& path, std::string& text);
bool writeExpandTextView64(Accessor self, RootType root, std::string& path, std::string& text);
