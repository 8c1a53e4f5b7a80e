#include <string>

#include "model_test.h"

namespace {

using ElapsedTest = ModelTest;

TEST_F(ElapsedTest, DurationsReadAsHoursMinutesSecondsAndTruncatedTenths) {
    const std::pair<uint32_t, std::wstring> table[] = {
        {0, L"0\"0"},           {45300, L"45\"3"},
        {59999, L"59\"9"},      {60000, L"1'0\"0"},
        {65300, L"1'5\"3"},     {3599999, L"59'59\"9"},
        {3600000, L"1h0'0\"0"}, {3723456, L"1h2'3\"4"},
        {999, L"0\"9"},         {4294967295u, L"1193h2'47\"2"}};
    for (const auto& [ms, text] : table) {
        wchar_t buffer[13];
        EXPECT_EQ(FormatElapsed(buffer, 13, ms), static_cast<int>(text.size())) << ms;
        EXPECT_EQ(std::wstring(buffer), text) << ms;
    }
    wchar_t shortBuffer[4];
    EXPECT_EQ(FormatElapsed(shortBuffer, 4, 65300), 3);
    EXPECT_EQ(std::wstring(shortBuffer), L"1'5") << "a short buffer gets what fits and its terminating zero";
}

}  // namespace
