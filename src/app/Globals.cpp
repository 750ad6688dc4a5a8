#include "app/Globals.h"

std::wstring g_strMsgCaption;
std::vector<std::wstring> g_arrDragPaths;

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
