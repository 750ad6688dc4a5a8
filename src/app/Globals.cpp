#include "app/Globals.h"
#include "framework/MessageBox.h"
#include "framework/Strings.h"

std::wstring g_strMsgCaption;
std::vector<std::wstring> g_arrDragPaths;

int ShowAppMessage(HWND hOwner, UINT stringId, UINT type)
{
    return AppMessageBox(hOwner, LoadResString(stringId), g_strMsgCaption, type);
}

namespace {
const CDeviceFields* g_pDeviceFields = nullptr;
}

const CDeviceFields& AppDeviceFields()
{
    static const CDeviceFields empty;
    return g_pDeviceFields ? *g_pDeviceFields : empty;
}

void SetAppDeviceFields(const CDeviceFields* pFields)
{
    g_pDeviceFields = pFields;
}
