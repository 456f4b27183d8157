// The host between the browser's pipe and the relay: which callers it serves, what each
// frame gets back, and how it ends when the browser goes.
#include "app/browser/BrowserHost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/browser/BrowserMessage.h"

namespace quillon::test {
namespace {

TEST(BrowserHostTest, OnlyTheQuillonExtensionMayStartIt) {
  std::string caller;
  EXPECT_TRUE(CallerAllowed({"chrome-extension://kmfinkjejonpjnlnmhindhpgmbfnnknd/"}, caller));
  EXPECT_EQ("chrome-extension://kmfinkjejonpjnlnmhindhpgmbfnnknd/", caller);
  // Chromium on other systems adds the window it was started from.
  EXPECT_TRUE(CallerAllowed(
      {"chrome-extension://kmfinkjejonpjnlnmhindhpgmbfnnknd/", "--parent-window=0"}, caller));
  EXPECT_FALSE(CallerAllowed({"chrome-extension://aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa/"}, caller));
  EXPECT_EQ("chrome-extension://aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa/", caller);
  EXPECT_FALSE(CallerAllowed({"chrome-extension://kmfinkjejonpjnlnmhindhpgmbfnnknd"}, caller));
  EXPECT_TRUE(CallerAllowed({"/usr/lib/mozilla/native-messaging-hosts/org.quillon.quillon.json",
                             "send-to-quillon@quillon.example.org"},
                            caller));
  EXPECT_FALSE(CallerAllowed({"/x/org.quillon.quillon.json", "other@example.org"}, caller));
  EXPECT_EQ("other@example.org", caller);
  EXPECT_FALSE(CallerAllowed({"--help"}, caller));
  EXPECT_FALSE(CallerAllowed({}, caller));
  EXPECT_EQ("", caller);
}

std::string Frame(const std::string& payload) { return EncodeFrame(payload); }

struct TRun {
  int status = -1;
  std::vector<std::string> replies; // each reply frame's JSON
  std::string errors;               // what went to standard error
  std::vector<std::string> relayed; // what reached the relay
};

// Runs the host over pipes: Input is written by a thread of its own (as the browser would)
// and the pipe closed after it.
TRun RunHost(const std::string& input, TBrowserHost::TRelay relay = {},
             TBrowserHost::TTemplates templates = {}) {
  TRun run;
  if (!relay)
    relay = [&run](const std::string& message) {
      run.relayed.push_back(message);
      return BrowserReplyOk(u"Copied");
    };
  else
    relay = [&run, relay](const std::string& message) {
      run.relayed.push_back(message);
      return relay(message);
    };
  int in[2], out[2];
  EXPECT_EQ(0, pipe(in));
  EXPECT_EQ(0, pipe(out));
  std::thread browser([&] {
    std::string_view rest(input);
    while (!rest.empty()) {
      const ssize_t n = write(in[1], rest.data(), rest.size());
      if (n <= 0)
        break;
      rest.remove_prefix(static_cast<std::size_t>(n));
    }
    close(in[1]);
  });
  std::string output;
  std::thread reader([&] {
    char buffer[4096];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
      output.append(buffer, static_cast<std::size_t>(n));
  });
  std::FILE* errors = std::tmpfile();
  run.status = TBrowserHost(relay, templates).Run(in[0], out[1], errors);
  close(out[1]);
  browser.join();
  reader.join();
  close(in[0]);
  close(out[0]);
  std::rewind(errors);
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, errors)) > 0)
    run.errors.append(buffer, n);
  std::fclose(errors);
  TFrameReader frames(MaxOutgoingMessage);
  frames.Feed(output);
  while (auto frame = frames.Next())
    run.replies.push_back(frame->Payload);
  EXPECT_EQ("", frames.EndOfInputError()) << "the host wrote a broken frame";
  return run;
}

TEST(BrowserHostTest, EachMessageIsCheckedRelayedAndAnsweredInOrder) {
  const TRun run =
      RunHost(Frame(R"({"type":"ping"})") +
              Frame(R"({"type":"tab","title":" 中文 & <b> ","url":"https://例子.cn/?a=1&b=2"})") +
              Frame(R"({"type":"tabs","tabs":[{"title":"A","url":"https://a/"}]})"));
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("", run.errors);
  // The ping is the host's own to answer.
  EXPECT_EQ((std::vector<std::string>{
                R"({"title":"中文 & <b>","type":"tab","url":"https://例子.cn/?a=1&b=2"})",
                R"({"tabs":[{"title":"A","url":"https://a/"}],"type":"tabs"})"}),
            run.relayed);
  EXPECT_EQ((std::vector<std::string>{BrowserReplyOk(u"Quillon's browser host is ready"),
                                      BrowserReplyOk(u"Copied"), BrowserReplyOk(u"Copied")}),
            run.replies);
}

TEST(BrowserHostTest, FaultyMessagesGetAnErrorAndTheHostGoesOn) {
  std::string oversized(4, '\0');
  const std::uint32_t length = MaxIncomingMessage + 1;
  std::memcpy(oversized.data(), &length, 4);
  oversized += std::string(length, ' ');
  const TRun run = RunHost(Frame("{not json") + Frame(R"({"type":"tab"})") + oversized +
                           Frame(R"({"type":"tab","url":"https://ok/"})"));
  EXPECT_EQ(0, run.status);
  ASSERT_EQ(4u, run.replies.size());
  EXPECT_EQ(BrowserReplyError("The message is not JSON: unterminated object at byte 2"),
            run.replies[0]);
  EXPECT_EQ(BrowserReplyError("The message has no \"url\""), run.replies[1]);
  EXPECT_EQ(BrowserReplyError("The message of 8388609 bytes is longer than the 8 MiB a message "
                              "may have"),
            run.replies[2]);
  EXPECT_EQ(BrowserReplyOk(u"Copied"), run.replies[3]);
  EXPECT_EQ(1u, run.relayed.size());
  // Each fault also goes to standard error, which the browser keeps in its log.
  EXPECT_EQ("quillon-browser-host: The message is not JSON: unterminated object at byte 2\n"
            "quillon-browser-host: The message has no \"url\"\n"
            "quillon-browser-host: The message of 8388609 bytes is longer than the 8 MiB a "
            "message may have\n",
            run.errors);
}

TEST(BrowserHostTest, WhatTheRelayCannotDoIsTheExtensionsError) {
  const TRun failed = RunHost(Frame(R"({"type":"tab","url":"https://a/"})"),
                              [](const std::string&) -> std::string {
                                throw std::runtime_error("Quillon is not running");
                              });
  EXPECT_EQ((std::vector<std::string>{BrowserReplyError("Quillon is not running")}),
            failed.replies);
  EXPECT_EQ("quillon-browser-host: Quillon is not running\n", failed.errors);

  const TRun refused =
      RunHost(Frame(R"({"type":"tab","url":"https://a/"})"),
              [](const std::string&) { return BrowserReplyError("Cannot open clipboard: busy"); });
  EXPECT_EQ((std::vector<std::string>{BrowserReplyError("Cannot open clipboard: busy")}),
            refused.replies);

  const TRun garbled = RunHost(Frame(R"({"type":"tab","url":"https://a/"})"),
                               [](const std::string&) { return std::string("raised"); });
  EXPECT_EQ((std::vector<std::string>{BrowserReplyError("Quillon gave a reply that is not JSON")}),
            garbled.replies);
}

TEST(BrowserHostTest, TheHostListsTheUsersTemplatesForTheExtensionsMenu) {
  const TRun run = RunHost(Frame(R"({"type":"templates"})") +
                               Frame(R"({"type":"tab","url":"https://a/","template":"条目"})"),
                           {}, [] {
                             return ParseLinkTemplates("[条目]\nformat={title}\n[Bad]\n",
                                                       "templates.ini");
                           });
  ASSERT_EQ(2u, run.replies.size());
  EXPECT_EQ(R"({"errors":["templates.ini:3: template [Bad] has no format="],)"
            R"("message":"1 link templates","ok":true,"templates":["条目"]})",
            run.replies[0]);
  // A message in a template is the window's to write.
  EXPECT_EQ((std::vector<std::string>{
                R"({"template":"条目","title":"https://a/","type":"tab","url":"https://a/"})"}),
            run.relayed);
}

TEST(BrowserHostTest, ItEndsWhenTheBrowserClosesThePipe) {
  EXPECT_EQ(0, RunHost("").status);
  const TRun cut = RunHost(Frame(R"({"type":"ping"})") + Frame("{}").substr(0, 5));
  EXPECT_EQ(1, cut.status);
  EXPECT_EQ(1u, cut.replies.size());
  EXPECT_EQ("quillon-browser-host: The browser closed the connection within a message (1 of 2 "
            "bytes)\n",
            cut.errors);
}

TEST(BrowserHostTest, ABrowserThatStoppedReadingEndsTheHost) {
  int in[2], out[2];
  ASSERT_EQ(0, pipe(in));
  ASSERT_EQ(0, pipe(out));
  close(out[0]); // nobody reads the replies
  const std::string input = Frame(R"({"type":"ping"})");
  ASSERT_EQ(static_cast<ssize_t>(input.size()), write(in[1], input.data(), input.size()));
  close(in[1]);
  std::FILE* errors = std::tmpfile();
  // Writing to a pipe nobody reads raises SIGPIPE, which the host's program ignores.
  struct sigaction ignore {}, old {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, &old);
  const int status = TBrowserHost([](const std::string&) { return std::string(); }, {})
                         .Run(in[0], out[1], errors);
  sigaction(SIGPIPE, &old, nullptr);
  EXPECT_EQ(1, status);
  std::rewind(errors);
  char text[200] = {};
  EXPECT_GT(std::fread(text, 1, sizeof text - 1, errors), 0u);
  EXPECT_STREQ("quillon-browser-host: Cannot write to the browser: Broken pipe\n", text);
  std::fclose(errors);
  close(in[0]);
  close(out[1]);
}

} // namespace
} // namespace quillon::test
