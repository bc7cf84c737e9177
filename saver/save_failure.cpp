#include "saver/save_failure.h"

#include <cstdio>

#include "framework/message_dialog.h"
#include "saver/config.h"

namespace prumya {
namespace {

const char kSaveFailureCaption[] = "保存エラー";
const char kSaveFailureText[] = "ファイル \"%s\" に保存できませんでした。\nファイルは元のままです。";
const char kSaveFailureRemedy[] =
    "ファイルやフォルダーが書き込み禁止になっていないか、ディスクに空きがあるかを確かめてください。";

}  // namespace

void ReportSaveFailure(qrx::BoxHost& boxes, const char* file) {
  char content[kPathSize + 128];
  std::snprintf(content, sizeof content, kSaveFailureText, file);
  qrx::ErrorReport report(boxes);
  report.SetCaption(kSaveFailureCaption);
  report.SetContent(content);
  report.SetRemedy(kSaveFailureRemedy);
  report.Show();
}

}  // namespace prumya
