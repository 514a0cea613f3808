#include "registry/operations.h"

namespace {
const RegistrySlots kSlots = {
    destroyAccessor,       copyAccessor,        noEffect,          rootHandle,
    rootName,              openKey,             splitValuePath,    bytesToHex,
    textToWide,            wideToText,          callRoutine,       noEffect,
    is64BitSystem,         valueExists,         importRegFile,     importRegText,
    noEffect,              deleteEntry,         listKeyTree,       enumSubkey,
    enumValue,             countSubkeys,        writeInt,          writeBytes,
    writeText,             writeMultiText,      writeExpandText,   readInt,
    readBytes,             readText,            readMultiText,     readExpandText,
    noEffect,              deleteEntryView64,   listKeyTreeView64, openKeyView64,
    readIntView64,         readBytesView64,     readTextView64,    readMultiTextView64,
    readExpandTextView64,  writeIntView64,      writeTextView64,   writeBytesView64,
    writeMultiTextView64,  writeExpandTextView64,
};
}  // namespace

const RegistrySlots& registrySlots() { return kSlots; }

std::unique_ptr<RegistryAccessor> createRegistryAccessor() {
    auto accessor = std::make_unique<RegistryAccessor>();
    accessor->slots = &kSlots;
    InitRegistryAccessor(*accessor);
    return accessor;
}

void releaseRegistryAccessor(std::unique_ptr<RegistryAccessor>& accessor) {
    if (!accessor) return;
    accessor->slots->Destroy(*accessor);
    accessor.reset();
}
