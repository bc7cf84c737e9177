// Modal message boxes: the saver's notices and questions (MessageDialog) and
// the framework's composed failure reports (ErrorReport).
#pragma once
#include <cstdint>
#include <memory>

namespace qrx {

class BoxHost;  // framework/box_host.h

class MessageDialog {
 public:
  enum Kind : int { Information = 0, Question = 1 };
  MessageDialog(BoxHost& host, Kind kind);
  void SetCaption(const char* text);
  void SetText(const char* text);
  int Show();  // IDOK, IDYES, IDNO, or 0 when the box cannot be shown
  std::uint32_t Style() const { return style_; }

 private:
  BoxHost* host_;
  std::uint32_t style_;
  std::unique_ptr<char[]> caption_;
  std::unique_ptr<char[]> text_;
};

class ErrorReport {
 public:
  explicit ErrorReport(BoxHost& host);
  void SetCaption(const char* text);
  void SetContent(const char* text);
  void SetRemedy(const char* text);
  bool Show();  // always true
  // The caption and message text Show puts in the box.
  void Compose(char* caption, std::uint32_t captionSize, char* text, std::uint32_t textSize) const;

 private:
  BoxHost* host_;
  std::unique_ptr<char[]> caption_;
  std::unique_ptr<char[]> content_;
  std::unique_ptr<char[]> remedy_;
};

// A failure of the framework itself, reported under "QRX Inside Error"; no
// remedy line when remedy is null.
void ReportInsideError(BoxHost& host, const char* content, const char* remedy = nullptr);

}  // namespace qrx
