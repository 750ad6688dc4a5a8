// What the recording skinning module keeps of each call; shared by the
// module and the test that reads it back through the module's export.
#pragma once

#include <windows.h>
#include <string>

struct CRecordedCall {
    DWORD operation;
    DWORD skin;
    DWORD third;
    DWORD fourth;
    DWORD recordSize;
    std::wstring bundlePath;
    std::string imageName;
    DWORD otherFieldsOr;   // every record field but the three named ones, or-ed
};
