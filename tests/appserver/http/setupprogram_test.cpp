#include "appserver/http/setupprogram.h"

#include <gtest/gtest.h>

namespace {

TEST(SetupProgram, IsAShellScriptOfExactlyTheAskedSize)
{
    const std::string bare = Http::setupProgram(0);
    ASSERT_TRUE(bare.starts_with("#!/bin/sh\n"));
    // Every size from the bare script upwards, across the end of a padding line.
    for (std::size_t size : {bare.size(), bare.size() + 1, bare.size() + 2, bare.size() + 3, bare.size() + 66,
                             bare.size() + 67, bare.size() + 68, std::size_t(100'000)}) {
        const std::string bytes = Http::setupProgram(size);
        EXPECT_EQ(bytes.size(), size);
        EXPECT_TRUE(bytes.starts_with(bare)) << size;
        EXPECT_EQ(bytes.back(), '\n') << size;
    }
    EXPECT_EQ(Http::setupProgram(1), bare) << "a size below the script gives the bare script";
    EXPECT_EQ(Http::setupProgram().size(), Http::kSetupProgramSize);
}

} // namespace
