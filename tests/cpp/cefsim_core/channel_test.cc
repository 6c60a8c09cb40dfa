#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "cefsim/src/ipc/channel.h"
#include "cefsim/src/ipc/process_message_impl.h"
#include "cefsim/src/ipc/value_codec.h"
#include "cefsim/src/ipc/wire_format.h"
#include "cefsim/src/strings/u16_text.h"

namespace {

TEST(WireFormatTest, ReaderRefusesWhatTheInputCannotHold) {
  cefsim::WireWriter writer;
  writer.U32(0xFFFFFFFF);  // A string "length" far beyond the input.
  cefsim::WireReader reader(writer.data());
  EXPECT_EQ(reader.Utf16(), std::u16string());
  EXPECT_FALSE(reader.ok());
  EXPECT_EQ(reader.I32(), 0);  // Later reads stay neutral.

  cefsim::WireReader empty("", 0);
  empty.U8();
  EXPECT_FALSE(empty.ok());
}

CefRefPtr<CefListValue> NestedList(int depth) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  if (depth > 0)
    list->SetList(0, NestedList(depth - 1));
  return list;
}

TEST(ValueCodecTest, RoundTripsEveryKindOfValue) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetString(0, cefsim::FromU16String(std::u16string(u"a\0\u00e9", 3)));
  list->SetInt(1, -2147483647 - 1);
  list->SetBool(2, true);
  list->SetDouble(3, 1.5);
  list->SetNull(4);
  const char bytes[] = {0, 1, 2};
  list->SetBinary(5, CefBinaryValue::Create(bytes, sizeof(bytes)));
  CefRefPtr<CefDictionaryValue> dict = CefDictionaryValue::Create();
  dict->SetInt("k", 7);
  list->SetDictionary(6, dict);
  list->SetList(7, NestedList(3));

  cefsim::WireWriter writer;
  cefsim::WriteList(&writer, list);
  cefsim::WireReader reader(writer.data());
  CefRefPtr<CefListValue> read = CefListValue::Create();
  ASSERT_TRUE(cefsim::ReadList(&reader, read));
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(read->IsEqual(list));
}

TEST(ValueCodecTest, RefusesTruncatedUnknownAndTooDeepInput) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetString(0, "some text");
  cefsim::WireWriter writer;
  cefsim::WriteList(&writer, list);
  std::string data = writer.data();
  for (size_t cut = 0; cut < data.size(); ++cut) {
    cefsim::WireReader reader(data.data(), cut);
    EXPECT_FALSE(cefsim::ReadList(&reader, CefListValue::Create())) << cut;
  }

  std::string unknown = data;
  unknown[4] = 99;  // The first value's type byte.
  cefsim::WireReader unknown_reader(unknown);
  EXPECT_FALSE(cefsim::ReadList(&unknown_reader, CefListValue::Create()));

  cefsim::WireWriter deep;
  cefsim::WriteList(&deep, NestedList(cefsim::kMaxWireValueDepth + 5));
  cefsim::WireReader deep_reader(deep.data());
  EXPECT_FALSE(cefsim::ReadList(&deep_reader, CefListValue::Create()));
}

TEST(ChannelTest, CarriesFramesBothWaysAndEndsAtShutdown) {
  int a, b;
  ASSERT_TRUE(cefsim::Channel::CreatePair(&a, &b));
  cefsim::Channel left(a), right(b);

  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("Name");
  message->GetArgumentList()->SetInt(0, 42);
  std::string big(3 << 20, 'x');  // More than one read piece.
  std::thread sender([&] {
    EXPECT_TRUE(left.Send(2, cefsim::EncodeProcessMessage(5, message)));
    EXPECT_TRUE(left.Send(9, big));
  });
  cefsim::Frame frame;
  ASSERT_TRUE(right.Receive(&frame));
  int browser_id = 0;
  CefRefPtr<CefProcessMessage> received =
      cefsim::DecodeProcessMessage(frame.payload, &browser_id);
  ASSERT_TRUE(received);
  EXPECT_EQ(browser_id, 5);
  EXPECT_EQ(received->GetName().ToString(), "Name");
  EXPECT_EQ(received->GetArgumentList()->GetInt(0), 42);
  ASSERT_TRUE(right.Receive(&frame));
  EXPECT_EQ(frame.kind, 9u);
  EXPECT_EQ(frame.payload, big);
  sender.join();

  EXPECT_TRUE(right.Send(1, "back"));
  ASSERT_TRUE(left.Receive(&frame));
  EXPECT_EQ(frame.payload, "back");

  left.Shutdown();
  EXPECT_FALSE(right.Receive(&frame));
  EXPECT_FALSE(right.Send(1, "to nobody"));  // No SIGPIPE either.
}

// IPC::Channel::kMaximumMessageSize: a frame announced past 128 MiB breaks
// the channel, and only the announcement is read, so no memory is taken for
// it. An ordinary end of the stream is no break.
TEST(ChannelTest, AFrameOverChromiumsIpcLimitBreaksTheChannel) {
  EXPECT_EQ(cefsim::Channel::kMaxPayload, 128u * 1024 * 1024);
  int fds[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
  cefsim::Channel reader(fds[0]);
  uint32_t header[2] = {1, cefsim::Channel::kMaxPayload + 1};
  ASSERT_EQ(write(fds[1], header, sizeof(header)),
            static_cast<ssize_t>(sizeof(header)));
  cefsim::Frame frame;
  EXPECT_FALSE(reader.Receive(&frame));
  EXPECT_TRUE(reader.broken());
  close(fds[1]);

  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
  cefsim::Channel ended(fds[0]);
  close(fds[1]);
  EXPECT_FALSE(ended.Receive(&frame));
  EXPECT_FALSE(ended.broken());
}

// Without waiting, as the IO thread reads: a frame that arrives in parts is
// handed out whole once its last byte came, a large one also, and bytes
// that stop mid-frame end the stream.
TEST(ChannelTest, ReceivingWithoutWaitingKeepsPartsUntilTheFrameIsWhole) {
  int fds[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
  cefsim::Channel reader(fds[0]);
  cefsim::Frame frame;
  using Incoming = cefsim::Channel::Incoming;
  EXPECT_EQ(reader.ReceiveAvailable(&frame), Incoming::kNothingYet);

  std::string framed;
  cefsim::Channel::AppendFrame(7, "first", &framed);
  const std::string large(1 << 20, 'y');  // Past the read-ahead buffer.
  cefsim::Channel::AppendFrame(8, large, &framed);
  cefsim::Channel::AppendFrame(9, "last", &framed);
  std::vector<cefsim::Frame> frames;
  // In uneven parts: the header alone, split headers, the large payload
  // over many writes.
  size_t at = 0;
  for (size_t part : {3u, 6u, 100u, 70000u}) {
    ASSERT_EQ(write(fds[1], framed.data() + at, part),
              static_cast<ssize_t>(part));
    at += part;
    while (reader.ReceiveAvailable(&frame) == Incoming::kFrame)
      frames.push_back(frame);
  }
  std::thread rest([&] {
    // More than the socket holds at once: the reader drains it meanwhile.
    EXPECT_EQ(write(fds[1], framed.data() + at, framed.size() - at),
              static_cast<ssize_t>(framed.size() - at));
  });
  while (frames.size() < 3) {
    const Incoming incoming = reader.ReceiveAvailable(&frame);
    ASSERT_NE(incoming, Incoming::kEnded);
    if (incoming == Incoming::kFrame)
      frames.push_back(frame);
  }
  rest.join();
  EXPECT_EQ(frames[0].kind, 7u);
  EXPECT_EQ(frames[0].payload, "first");
  EXPECT_EQ(frames[1].kind, 8u);
  EXPECT_TRUE(frames[1].payload == large);
  EXPECT_EQ(frames[2].payload, "last");

  ASSERT_EQ(write(fds[1], framed.data(), 6), 6);  // A header and a half.
  close(fds[1]);
  EXPECT_EQ(reader.ReceiveAvailable(&frame), Incoming::kEnded);
  EXPECT_FALSE(reader.broken());
}

}  // namespace
