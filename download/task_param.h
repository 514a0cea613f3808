// The description of one download task, as the program hands it to the download engine.
// Fields in their fixed order; a text field owns its text, a procedure field may be none.
#pragma once

#include <cstdint>
#include <string>

using DownloadEventProc = std::int32_t (*)(std::int32_t code, std::int32_t connection,
                                           std::int32_t value, std::int32_t extra,
                                           std::int32_t task);
using DownloadMessageProc = void (*)(const char* text);

struct TaskParam {
    std::int32_t Flags = 0;
    std::string Url;
    std::string LocalFile;
    std::string UserName;
    std::string Password;
    std::int32_t ThreadCount = 0;
    std::int32_t SpeedLimit = 0;
    std::int32_t ConnectTimeout = 0;
    std::int32_t SendTimeout = 0;
    std::int32_t ReceiveTimeout = 0;
    std::int32_t StopWait = 0;
    std::int32_t ReceiveBlockSize = 0;
    std::int32_t SendBlockSize = 0;
    DownloadMessageProc MessageProc = nullptr;
    DownloadEventProc EventProc = nullptr;
    std::string RenameTo;
    std::int32_t FtpTransferType = 0;
    std::string BinaryExtensions;
    std::string Proxy;    // empty: direct connection
    std::string Referer;  // empty: the URL cut before its last "/"
};

// Stores the engine's defaults into every field, in field order.
void setTaskParamDefaults(TaskParam& param);
