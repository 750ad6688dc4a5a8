#include "dialog/DeviceRemoval.h"

#include <gtest/gtest.h>

namespace {

DEV_BROADCAST_VOLUME Volume(DWORD unitMask, WORD flags)
{
    DEV_BROADCAST_VOLUME v = {};
    v.dbcv_size = sizeof(v);
    v.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    v.dbcv_unitmask = unitMask;
    v.dbcv_flags = flags;
    return v;
}

bool Removed(DWORD unitMask, WORD flags = 0, WPARAM event = DBT_DEVICEREMOVECOMPLETE,
             const wchar_t* root = L"E:\\")
{
    DEV_BROADCAST_VOLUME v = Volume(unitMask, flags);
    return IsDeviceRootRemoved(event, reinterpret_cast<DEV_BROADCAST_HDR*>(&v), root);
}

const DWORD kDriveA = 1u << 0, kDriveB = 1u << 1, kDriveC = 1u << 2, kDriveE = 1u << 4;

TEST(DeviceRemoval, TheDeviceDriveCounts)
{
    EXPECT_TRUE(Removed(kDriveE));
    EXPECT_TRUE(Removed(kDriveC | kDriveE));
    EXPECT_TRUE(Removed(kDriveE, 0, DBT_DEVICEREMOVECOMPLETE, L"e:\\"));
}

TEST(DeviceRemoval, OtherDrivesFlagsAndEventsDoNot)
{
    EXPECT_FALSE(Removed(kDriveC));
    EXPECT_FALSE(Removed(kDriveE, DBTF_MEDIA));
    EXPECT_FALSE(Removed(kDriveE, DBTF_NET));
    EXPECT_FALSE(Removed(kDriveE, 0, DBT_DEVICEARRIVAL));
    EXPECT_FALSE(Removed(0));
    // A: and B: are never the device, even when it claims to be one.
    EXPECT_FALSE(Removed(kDriveA, 0, DBT_DEVICEREMOVECOMPLETE, L"A:\\"));
    EXPECT_FALSE(Removed(kDriveB, 0, DBT_DEVICEREMOVECOMPLETE, L"B:\\"));
    EXPECT_FALSE(IsDeviceRootRemoved(DBT_DEVICEREMOVECOMPLETE, nullptr, L"E:\\"));
}

TEST(DeviceRemoval, OnlyVolumeNotificationsCount)
{
    DEV_BROADCAST_VOLUME v = Volume(kDriveE, 0);
    v.dbcv_devicetype = DBT_DEVTYP_PORT;
    EXPECT_FALSE(IsDeviceRootRemoved(DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<DEV_BROADCAST_HDR*>(&v),
                                     L"E:\\"));
    // A volume notice no longer than its header: what follows is not its own.
    v = Volume(kDriveE, 0);
    v.dbcv_size = sizeof(DEV_BROADCAST_HDR);
    EXPECT_FALSE(IsDeviceRootRemoved(DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<DEV_BROADCAST_HDR*>(&v),
                                     L"E:\\"));
}

}  // namespace
