#include <gtest/gtest.h>

#include <cstring>

#include "model/ByteStream.h"
#include "tests/support/TestStreams.h"

namespace tavik {
namespace {

using test::FailingOutput;
using test::TricklingInput;

std::string counting(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(i * 31 + 7);
    return s;
}

TEST(BufferedReader, JoinsPiecesOfASlowStream) {
    const std::string bytes = counting(1000);
    TricklingInput in(bytes, 3);
    BufferedReader reader(in);
    std::string seen;
    while (const char* p = reader.request(7)) {
        seen.append(p, 7);
        reader.consume(7);
    }
    EXPECT_EQ(reader.available(), 1000u % 7);
    EXPECT_EQ(seen, bytes.substr(0, 1000 - 1000 % 7));
}

TEST(BufferedReader, GrowsForALargeRequestUpToItsCapacity) {
    const std::string bytes = counting(70000);
    MemoryInput in(bytes);
    BufferedReader reader(in);
    const char* p = reader.request(65537);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p, 65537), bytes.substr(0, 65537));
    reader.consume(65537);
    EXPECT_EQ(reader.request(BufferedReader::kCapacity + 1), nullptr);
    ASSERT_NE(reader.request(70000 - 65537), nullptr);
    EXPECT_EQ(reader.request(70000 - 65537 + 1), nullptr);
}

TEST(BufferedReader, ReadsALongFileInFewLargePieces) {
    TricklingInput in(counting(4 * 1024 * 1024), 1 << 30);
    BufferedReader reader(in);
    std::size_t total = 0;
    while (reader.request(1)) {
        total += reader.available();
        reader.consume(reader.available());
    }
    EXPECT_EQ(total, 4u * 1024 * 1024);
    EXPECT_LT(in.reads(), 40);
}

TEST(BufferedWriter, PassesEverythingOnInOrder) {
    MemoryOutput out;
    BufferedWriter writer(out);
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        const std::string piece = counting(static_cast<std::size_t>(i % 300));
        writer.write(piece);
        expected += piece;
    }
    writer.write(counting(BufferedWriter::kCapacity + 5));  // larger than the buffer
    expected += counting(BufferedWriter::kCapacity + 5);
    EXPECT_TRUE(writer.flush());
    EXPECT_EQ(out.bytes(), expected);
}

TEST(BufferedWriter, AFailureSticks) {
    FailingOutput out(100);
    BufferedWriter writer(out);
    writer.write(counting(BufferedWriter::kCapacity));
    writer.write(counting(BufferedWriter::kCapacity));
    EXPECT_TRUE(writer.failed());
    writer.write("more");
    EXPECT_FALSE(writer.flush());
    EXPECT_EQ(out.bytes().size(), 100u);
}

TEST(BufferedReader, SixteenBytesPastARequestMayBeRead) {
    const std::string bytes = counting(5);
    MemoryInput in(bytes);
    BufferedReader reader(in);
    const char* p = reader.request(5);
    ASSERT_NE(p, nullptr);
    char past[5 + BufferedReader::kReadAhead];
    std::memcpy(past, p, sizeof past);  // within the buffer: the sanitizer would object
    EXPECT_EQ(std::string(past, 5), bytes);
}

}  // namespace
}  // namespace tavik
