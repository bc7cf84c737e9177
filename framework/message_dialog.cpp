#include "framework/message_dialog.h"

#include "framework/box_host.h"
#include "framework/owned_text.h"

namespace qrx {

namespace {

constexpr std::uint32_t kCaptionSize = 128;
constexpr std::uint32_t kTextSize = 2048;

const char kDialogCaption[] = "メッセージ";
const char kDialogText[] = "メッセージはありません。";
const char kReportCaption[] = "エラー発生";
const char kInsideErrorCaption[] = "QRX Inside Error";
const char kReportContent[] = "エラーが発生しました。";
const char kContentLabel[] = "内容：\n";
const char kRemedyLabel[] = "\n\n対処法：\n";

constexpr std::uint32_t kKindStyles[] = {
    plat::kMbOk | plat::kMbIconInformation,  // Information
    plat::kMbYesNo | plat::kMbIconQuestion,  // Question
};
constexpr std::uint32_t kReportStyle = plat::kMbOk | plat::kMbIconWarning | plat::kMbSystemModal;

const char* OrDefault(const std::unique_ptr<char[]>& text, const char* fallback) {
  return text ? text.get() : fallback;
}

}  // namespace

MessageDialog::MessageDialog(BoxHost& host, Kind kind)
    : host_(&host), style_(kKindStyles[kind == Question ? 1 : 0]) {}

void MessageDialog::SetCaption(const char* text) { caption_ = OwnedCopy(text); }
void MessageDialog::SetText(const char* text) { text_ = OwnedCopy(text); }

int MessageDialog::Show() {
  char caption[kCaptionSize];
  char text[kTextSize];
  TextArea(caption, sizeof caption).Append(OrDefault(caption_, kDialogCaption));
  TextArea(text, sizeof text).Append(OrDefault(text_, kDialogText));
  return host_->ShowBox(text, caption, style_);
}

ErrorReport::ErrorReport(BoxHost& host) : host_(&host) {}

void ErrorReport::SetCaption(const char* text) { caption_ = OwnedCopy(text); }
void ErrorReport::SetContent(const char* text) { content_ = OwnedCopy(text); }
void ErrorReport::SetRemedy(const char* text) { remedy_ = OwnedCopy(text); }

void ErrorReport::Compose(char* caption, std::uint32_t captionSize, char* text,
                          std::uint32_t textSize) const {
  TextArea(caption, captionSize).Append(OrDefault(caption_, kReportCaption));
  TextArea message(text, textSize);
  message.Append(kContentLabel);
  message.Append(OrDefault(content_, kReportContent));
  if (remedy_) {
    message.Append(kRemedyLabel);
    message.Append(remedy_.get());
  }
}

bool ErrorReport::Show() {
  char caption[kCaptionSize];
  char text[kTextSize];
  Compose(caption, sizeof caption, text, sizeof text);
  host_->ShowBox(text, caption, kReportStyle);
  return true;
}

void ReportInsideError(BoxHost& host, const char* content, const char* remedy) {
  ErrorReport report(host);
  report.SetCaption(kInsideErrorCaption);
  report.SetContent(content);
  report.SetRemedy(remedy);
  report.Show();
}

}  // namespace qrx
