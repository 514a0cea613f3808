// The one object through which the program touches the registry: a fixed table of operations
// behind which the Win32 registry functions sit, every read offered in the default view (what a
// 32-bit program sees) and in the 64-bit view. Every operation opens and closes its own keys.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/os.h"

// Root keys by the accessor's own numbering: 1 classes root, 2 current config, 3 current user,
// 4 local machine, 5 users. Any other number names no root.
using RootType = std::int32_t;
using Bytes = std::vector<std::uint8_t>;

// Routines called through CallRoutine take and return 32-bit integers. On i386 the caller says
// whether a routine uses the standard or the C calling convention; elsewhere there is only one.
#if defined(__i386__)
#define VANTREL_STDCALL __attribute__((stdcall))
#define VANTREL_CDECL __attribute__((cdecl))
#else
#define VANTREL_STDCALL
#define VANTREL_CDECL
#endif

// A listing's progress routine: receives the number of entries now in the list.
using ProgressRoutine = std::int32_t(VANTREL_STDCALL*)(std::int32_t entries);

using OptionalInt = std::optional<std::int32_t>;
constexpr std::size_t kRoutineArguments = 15;
using RoutineArguments = std::array<OptionalInt, kRoutineArguments>;

struct ValueInfo {
    std::int32_t valueIndex = 0;
    Dword valueType = 0;
    std::string valueName;
    Dword valueNameSize = 0;
    Bytes valueData;
    Dword valueDataSize = 0;
};

constexpr Dword kKeyEntry = 1, kValueEntry = 2;

struct TreeEntry {
    Dword entryKind = 0;
    std::string entryPath;  // a key entry's own path, or the path of the key holding the value
    ValueInfo entryValue;
};

using TreeList = std::vector<TreeEntry>;

struct RegistryAccessor;
using Accessor = RegistryAccessor&;

// The operations in slot order. The same table serves every instance.
struct RegistrySlots {
    void (*Destroy)(Accessor self);                                                     // 0
    std::unique_ptr<RegistryAccessor> (*Copy)(Accessor self);                           // 1
    void (*Reserved2)(Accessor self);                                                   // 2
    Hkey (*RootHandle)(Accessor self, RootType root);                                   // 3
    std::string (*RootName)(Accessor self, RootType root);                              // 4
    long (*OpenKey)(Accessor self, Hkey root, std::string& keyPath, Hkey& key);         // 5
    std::string (*SplitValuePath)(Accessor self, std::string& path, std::int32_t& wholeKey,
                                  std::int32_t unused);                                 // 6
    std::string (*BytesToHex)(Accessor self, Bytes& bytes, OptionalInt start, OptionalInt count,
                              OptionalInt commas);                                      // 7
    Bytes (*TextToWide)(Accessor self, std::string& text);                              // 8
    std::string (*WideToText)(Accessor self, Bytes& wide);                              // 9
    bool (*CallRoutine)(Accessor self, Address routine, std::int32_t callerCleans,
                        std::int32_t unused1, std::int32_t& result, std::int32_t unused2,
                        const RoutineArguments& arguments);                             // 10
    void (*Reserved11)(Accessor self);                                                  // 11
    std::int32_t (*Is64BitSystem)(Accessor self);                                       // 12
    bool (*ValueExists)(Accessor self, RootType root, std::string& path);               // 13
    bool (*ImportRegFile)(Accessor self, std::string& file);                            // 14
    bool (*ImportRegText)(Accessor self, std::string& text);                            // 15
    void (*Reserved16)(Accessor self);                                                  // 16
    bool (*DeleteEntry)(Accessor self, RootType root, std::string& path, OptionalInt unused);  // 17
    std::int32_t (*ListKeyTree)(Accessor self, TreeList& list, RootType root,
                                std::string& keyPath, OptionalInt recursive,
                                Address progress);                                      // 18
    long (*EnumSubkey)(Accessor self, Hkey key, std::int32_t index, std::string& name);  // 19
    long (*EnumValue)(Accessor self, Hkey key, std::int32_t index, ValueInfo& value);   // 20
    std::int32_t (*CountSubkeys)(Accessor self, Hkey key);                              // 21
    bool (*WriteInt)(Accessor self, RootType root, std::string& path, std::int32_t value);  // 22
    bool (*WriteBytes)(Accessor self, RootType root, std::string& path, Bytes& bytes);  // 23
    bool (*WriteText)(Accessor self, RootType root, std::string& path, std::string& text);  // 24
    bool (*WriteMultiText)(Accessor self, RootType root, std::string& path,
                           std::string& text);                                          // 25
    bool (*WriteExpandText)(Accessor self, RootType root, std::string& path,
                            std::string& text);                                         // 26
    std::int32_t (*ReadInt)(Accessor self, RootType root, std::string& path);           // 27
    Bytes (*ReadBytes)(Accessor self, RootType root, std::string& path);                // 28
    std::string (*ReadText)(Accessor self, RootType root, std::string& path);           // 29
    std::string (*ReadMultiText)(Accessor self, RootType root, std::string& path);      // 30
    std::string (*ReadExpandText)(Accessor self, RootType root, std::string& path);     // 31
    void (*Reserved32)(Accessor self);                                                  // 32
    bool (*DeleteEntryView64)(Accessor self, RootType root, std::string& path,
                              OptionalInt unused);                                      // 33
    std::int32_t (*ListKeyTreeView64)(Accessor self, TreeList& list, RootType root,
                                      std::string& keyPath, OptionalInt recursive,
                                      Address progress);                                // 34
    long (*OpenKeyView64)(Accessor self, Hkey root, std::string& keyPath, Hkey& key);   // 35
    std::int32_t (*ReadIntView64)(Accessor self, RootType root, std::string& path);     // 36
    Bytes (*ReadBytesView64)(Accessor self, RootType root, std::string& path);          // 37
    std::string (*ReadTextView64)(Accessor self, RootType root, std::string& path);     // 38
    std::string (*ReadMultiTextView64)(Accessor self, RootType root, std::string& path);   // 39
    std::string (*ReadExpandTextView64)(Accessor self, RootType root, std::string& path);  // 40
    bool (*WriteIntView64)(Accessor self, RootType root, std::string& path,
                           std::int32_t value);                                         // 41
    bool (*WriteTextView64)(Accessor self, RootType root, std::string& path,
                            std::string& text);                                         // 42
    bool (*WriteBytesView64)(Accessor self, RootType root, std::string& path,
                             Bytes& bytes);                                             // 43
    bool (*WriteMultiTextView64)(Accessor self, RootType root, std::string& path,
                                 std::string& text);                                    // 44
    bool (*WriteExpandTextView64)(Accessor self, RootType root, std::string& path,
                                  std::string& text);                                   // 45
};

constexpr std::size_t kRegistrySlotCount = 46;
static_assert(sizeof(RegistrySlots) == kRegistrySlotCount * sizeof(void (*)()),
              "one pointer per slot");

struct RegistryAccessor {
    const RegistrySlots* slots = nullptr;
    std::int32_t is64Bit = 0;
};

const RegistrySlots& registrySlots();

// Sets is64Bit: whether kernel32 has GetSystemWow64DirectoryA and it names a folder.
void InitRegistryAccessor(Accessor self);

// Creation and release as start-up and the exit clean-up do them.
std::unique_ptr<RegistryAccessor> createRegistryAccessor();
void releaseRegistryAccessor(std::unique_ptr<RegistryAccessor>& accessor);

// The address of a routine, for CallRoutine and the listings' progress argument.
template <typename Routine>
Address routineAddress(Routine routine) {
    return reinterpret_cast<Address>(routine);
}
