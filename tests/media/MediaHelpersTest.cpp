// Error texts, profile lookup, DVD time codes and the graph's registration name.
#include "media/MediaUtil/DVDTimeCode.h"
#include "media/MediaUtil/GraphRegistration.h"
#include "media/MediaUtil/MediaErrors.h"
#include "media/MediaUtil/SystemProfiles.h"

#include <gtest/gtest.h>

TEST(RaiseOnFailure, PassesSuccessCodesAndRaisesFailures)
{
    EXPECT_EQ(RaiseOnFailure(S_OK), S_OK);
    EXPECT_EQ(RaiseOnFailure(S_FALSE), S_FALSE);
    EXPECT_EQ(RaiseOnFailure(0x00040237), 0x00040237);  // a positive code passes too
    try {
        RaiseOnFailure(E_FAIL);
        FAIL() << "E_FAIL must raise";
    } catch (const EDirectShowException& e) {
        EXPECT_EQ(e.ErrorCode, E_FAIL);
        EXPECT_EQ(e.Message(), ErrorText(E_FAIL) + L" ($80004005).");
    }
}

TEST(SystemProfiles, IndexOfKnownAndUnknownProfiles)
{
    for (int i = 0; i < kSystemProfileCount; ++i)
        EXPECT_EQ(ProfileIndexOf(SystemProfileGuids[i]), i);
    EXPECT_EQ(ProfileIndexOf(GUID_NULL), 255);
}

TEST(DVDTimeCode, UnpacksDigitsFromTheMostSignificantEnd)
{
    TDVDTimeDigits d = UnpackDVDTimeCode(0x12345678);
    EXPECT_EQ((std::vector<int>{d.Hours1, d.Hours10, d.Minutes1, d.Minutes10, d.Seconds1, d.Seconds10,
                                d.Frames1, d.Frames10, d.FrameRateCode}),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 2, 0}));
}

TEST(GraphRegistration, ItemNameAndRegisterRevoke)
{
    EXPECT_EQ(GraphItemName(reinterpret_cast<void*>(0x00AB12CD), 0x1F4), L"FilterGraph 00AB12CD pid 1F4");

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        IUnknown* object = nullptr;
        ASSERT_EQ(CreateBindCtx(0, reinterpret_cast<IBindCtx**>(&object)), S_OK);
        DWORD cookie = 0;
        EXPECT_EQ(RegisterGraphInROT(object, cookie), S_OK);
        EXPECT_EQ(RevokeGraphFromROT(cookie), S_OK);
        object->Release();
    }
    CoUninitialize();
}
