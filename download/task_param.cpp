#include "download/task_param.h"

void setTaskParamDefaults(TaskParam& param) {
    param.Flags = 1;
    param.Url.clear();
    param.LocalFile.clear();
    param.UserName = "anonymous";
    param.Password = "guest@vantrel.example";
    param.ThreadCount = 1;
    param.SpeedLimit = 0;
    param.ConnectTimeout = 20000;
    param.SendTimeout = 20000;
    param.ReceiveTimeout = 20000;
    param.StopWait = 1000;
    param.ReceiveBlockSize = 20480;
    param.SendBlockSize = 1024;
    param.MessageProc = nullptr;
    param.EventProc = nullptr;
    param.RenameTo.clear();
    param.FtpTransferType = 1;
    param.BinaryExtensions = ".exe|.rar|.zip|.gif|.jpg|.mp3|.rm";
    param.Proxy.clear();
    param.Referer.clear();
}
