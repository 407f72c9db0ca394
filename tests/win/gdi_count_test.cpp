// The GDI object counter that the leak tests rely on must see objects come
// and go, or a leak test built on it could never fail.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "driver.h"

namespace {

TEST(GdiObjectCount, FollowsObjectsCreatedAndDeleted) {
    // Opened by id, as the tests open a saver that another program started.
    HANDLE self = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, GetCurrentProcessId());
    ASSERT_NE(self, nullptr);
    // Stock objects and a DC's defaults are made on first use.
    DeleteDC(CreateCompatibleDC(nullptr));
    const long before = driver::GdiObjectCount(self);
    ASSERT_GT(before, 0) << "the counter cannot read the process";

    std::vector<HGDIOBJ> objects;
    for (int i = 0; i < 10; ++i) objects.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    objects.push_back(CreateBitmap(4, 4, 1, 32, nullptr));
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(driver::GdiObjectCount(self), before + 12);

    for (HGDIOBJ object : objects) DeleteObject(object);
    DeleteDC(memory);
    EXPECT_EQ(driver::GdiObjectCount(self), before);
    CloseHandle(self);
}

}  // namespace
