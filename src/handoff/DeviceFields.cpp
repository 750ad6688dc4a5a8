#include "handoff/DeviceFields.h"

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
