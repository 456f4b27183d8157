// What the window does with a message of the browser extension, relayed by
// quillon-browser-host over the window's socket: a tab or a link fills the title and the
// address and leaves both composed links and the formatted hyperlink ready, as the buttons
// and the blue label would; several tabs are copied as the list's multi-copy copies; a
// selection goes on the clipboard as the page gave it. Any of them sent with a link template
// puts the template's text on the clipboard instead.
#pragma once

#include <QObject>

#include <string>

namespace quillon {

class TForm1;
struct TBrowserMessage;

class TFormBrowserRequests : public QObject {
  Q_OBJECT
public:
  explicit TFormBrowserRequests(TForm1& form);

  // One request line (JSON) in, one reply line (JSON) out; never throws.
  std::string Answer(const std::string& request);

private:
  void Act(const TBrowserMessage& message);
  // The message's links in the user's link template, as text on the clipboard; its name.
  std::u16string CopyInTemplate(const TBrowserMessage& message);

  TForm1* FForm;
};

} // namespace quillon
