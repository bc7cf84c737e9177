#include "platform/linux/gtk_dialog_builder.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include <algorithm>
#include <cstring>

#include "platform/embedded_resources.h"
#include "platform/linux/utf8_boundary.h"

namespace plat::linux_port {
namespace {

// Missing Windows fonts fall back to a Japanese font of the same kind.
const char kFallbackFamilies[] = "\"MS PGothic\", \"Noto Sans CJK JP\", \"IPAPGothic\", sans-serif";

// Compact controls, as dense as the Windows dialog they stand in for.
const char kDialogCss[] =
    ".prumya-dialog button { padding: 0 2px; min-height: 0; min-width: 0; }"
    ".prumya-dialog entry { padding: 0 3px; min-height: 0; }"
    ".prumya-dialog combobox button { padding: 0 1px; min-height: 0; min-width: 0; }"
    ".prumya-dialog scale { padding: 0 4px; min-height: 0; }"
    ".prumya-dialog scale trough { min-height: 3px; }"
    ".prumya-dialog scale slider { min-width: 8px; min-height: 14px; margin: -6px -1px; }"
    ".prumya-dialog checkbutton { padding: 0; min-height: 0; }"
    ".prumya-dialog checkbutton check { margin: 0 3px 0 0; min-width: 12px; min-height: 12px; }"
    ".prumya-dialog frame > border { border: 1px solid alpha(currentColor, 0.35); }"
    ".prumya-dialog headerbar { min-height: 0; padding: 2px 6px; }"
    ".prumya-dialog headerbar button { min-height: 18px; min-width: 18px; padding: 0; }";

std::string FontCss(const DialogTemplate& source) {
  return ".prumya-dialog, .prumya-dialog * { font-family: \"" + Cp932ToUtf8(source.fontName) +
         "\", " + kFallbackFamilies + "; font-size: " + std::to_string(source.pointSize) +
         "pt; }";
}

void InstallCss(const DialogTemplate& source) {
  static GtkCssProvider* provider = nullptr;
  if (provider == nullptr) {
    provider = gtk_css_provider_new();
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  }
  const std::string css = std::string(kDialogCss) + FontCss(source);
  gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
}

// As the Windows dialog manager measures a dialog font: the average width of
// the 52 Latin letters, rounded, and the font's full height.
DialogUnits Measure(GtkWidget* window) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  PangoLayout* layout = gtk_widget_create_pango_layout(window, kLetters);
  PangoContext* context = pango_layout_get_context(layout);
  PangoFontMetrics* metrics = pango_context_get_metrics(
      context, pango_context_get_font_description(context), pango_context_get_language(context));
  int width = 0;
  pango_layout_get_pixel_size(layout, &width, nullptr);
  DialogUnits units;
  units.baseX = (width / 26 + 1) / 2;
  units.baseY = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(metrics) +
                                  pango_font_metrics_get_descent(metrics));
  pango_font_metrics_unref(metrics);
  g_object_unref(layout);
  return units;
}

bool HasWindowManager() {
#ifdef GDK_WINDOWING_X11
  GdkScreen* screen = gdk_screen_get_default();
  if (GDK_IS_X11_SCREEN(screen))
    return std::strcmp(gdk_x11_screen_get_window_manager_name(screen), "unknown") != 0;
#endif
  return true;
}

GdkPixbuf* LoadIcon(const char* name) {
  const EmbeddedResource* resource = FindEmbeddedResource(name);
  if (resource == nullptr) return nullptr;
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  gdk_pixbuf_loader_write(loader, resource->data, resource->size, nullptr);
  gdk_pixbuf_loader_close(loader, nullptr);
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
  if (pixbuf != nullptr) g_object_ref(pixbuf);
  g_object_unref(loader);
  return pixbuf;
}

float TextXAlign(std::uint32_t style) {
  switch (style & kSsTypeMask) {
    case kSsCenter: return 0.5f;
    case kSsRight: return 1.0f;
    default: return 0.0f;
  }
}

GtkWidget* NewLabel(const DialogControl& row, const std::string& text) {
  GtkWidget* label = gtk_label_new(text.c_str());
  gtk_label_set_xalign(GTK_LABEL(label), TextXAlign(row.style));
  gtk_label_set_yalign(GTK_LABEL(label), (row.style & kSsCenterImage) ? 0.5f : 0.0f);
  return label;
}

GtkWidget* NewFrame(const std::string& text) {
  GtkWidget* frame = gtk_frame_new(text.c_str());
  gtk_frame_set_label_align(GTK_FRAME(frame), 0.05f, 0.5f);
  return frame;
}

GtkWidget* NewValueBox() {
  GtkWidget* entry = gtk_entry_new();
  gtk_editable_set_editable(GTK_EDITABLE(entry), FALSE);
  gtk_entry_set_alignment(GTK_ENTRY(entry), 0.5f);
  gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
  gtk_widget_set_can_focus(entry, FALSE);
  return entry;
}

GtkWidget* NewNameBox(GtkDialogControl& control) {
  GtkWidget* combo = gtk_combo_box_text_new_with_entry();
  control.entry = gtk_bin_get_child(GTK_BIN(combo));
  gtk_entry_set_width_chars(GTK_ENTRY(control.entry), 1);
  gtk_entry_set_activates_default(GTK_ENTRY(control.entry), TRUE);
  return combo;
}

GtkWidget* NewSlider() {
  GtkWidget* scale = gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, 0, 100, 1);
  gtk_scale_set_draw_value(GTK_SCALE(scale), FALSE);
  gtk_range_set_round_digits(GTK_RANGE(scale), 0);
  return scale;
}

GtkWidget* NewIcon(const DialogControl& row) {
  GdkPixbuf* pixbuf = LoadIcon(row.text);
  GtkWidget* image = pixbuf ? gtk_image_new_from_pixbuf(pixbuf) : gtk_image_new();
  if (pixbuf != nullptr) g_object_unref(pixbuf);
  gtk_widget_set_halign(image, GTK_ALIGN_START);
  gtk_widget_set_valign(image, GTK_ALIGN_START);
  return image;
}

GtkWidget* NewWidget(const DialogControl& row, GtkDialogControl& control) {
  const std::string text = Cp932ToUtf8(row.text != nullptr ? row.text : "");
  switch (row.kind) {
    case ControlKind::DefPushButton:
    case ControlKind::PushButton: return gtk_button_new_with_label(text.c_str());
    case ControlKind::CheckBox: return gtk_check_button_new_with_label(text.c_str());
    case ControlKind::GroupBox: return NewFrame(text);
    case ControlKind::Text: return NewLabel(row, text);
    case ControlKind::Icon: return NewIcon(row);
    case ControlKind::Edit: return NewValueBox();
    case ControlKind::ComboBox: return NewNameBox(control);
    case ControlKind::Trackbar: break;
  }
  return NewSlider();
}

// The combo box's 84 units include its dropped-down list; on screen it is
// one edit line high.
int VisibleHeight(const DialogControl& row, const DialogUnits& units) {
  const int height = units.Y(row.h);
  return row.kind == ControlKind::ComboBox ? std::min(height, units.Y(12) + 4) : height;
}

void AddControls(GtkDialog& dialog, GtkWidget* fixed, const DialogUnits& units) {
  const DialogTemplate& source = *dialog.source;
  for (int i = 0; i < source.controlCount; ++i) {
    const DialogControl& row = source.controls[i];
    auto control = std::make_unique<GtkDialogControl>();
    control->dialog = &dialog;
    control->index = i;
    control->id = row.id;
    control->kind = row.kind;
    control->handle = dialog.handle + static_cast<WindowHandle>(i) + 1;
    control->widget = NewWidget(row, *control);
    if (row.kind == ControlKind::DefPushButton) gtk_widget_set_can_default(control->widget, TRUE);
    gtk_widget_set_size_request(control->widget, units.X(row.w), VisibleHeight(row, units));
    gtk_fixed_put(GTK_FIXED(fixed), control->widget, units.X(row.x), units.Y(row.y));
    dialog.controls.push_back(std::move(control));
  }
}

GtkWidget* NewWindow(const DialogTemplate& source, GtkWindow* parent) {
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_style_context_add_class(gtk_widget_get_style_context(window), "prumya-dialog");
  const std::string title = Cp932ToUtf8(source.title);
  gtk_window_set_title(GTK_WINDOW(window), title.c_str());
  if (!HasWindowManager()) {
    GtkWidget* bar = gtk_header_bar_new();
    gtk_header_bar_set_title(GTK_HEADER_BAR(bar), title.c_str());
    gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(bar), TRUE);
    gtk_header_bar_set_decoration_layout(GTK_HEADER_BAR(bar), ":close");
    gtk_window_set_titlebar(GTK_WINDOW(window), bar);
  }
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  gtk_window_set_modal(GTK_WINDOW(window), TRUE);
  gtk_window_set_type_hint(GTK_WINDOW(window), GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window), parent != nullptr);
  if (parent != nullptr) gtk_window_set_transient_for(GTK_WINDOW(window), parent);
  gtk_window_set_keep_above(GTK_WINDOW(window), TRUE);
  if (source.style & kDsCenter) gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
  return window;
}

}  // namespace

std::unique_ptr<GtkDialog> BuildGtkDialog(const DialogTemplate& source, WindowHandle handle,
                                          GtkWindow* parent) {
  InstallCss(source);
  auto dialog = std::make_unique<GtkDialog>();
  dialog->handle = handle;
  dialog->source = &source;
  dialog->window = NewWindow(source, parent);
  const DialogUnits units = Measure(dialog->window);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_widget_set_size_request(fixed, units.X(source.w), units.Y(source.h));
  gtk_container_add(GTK_CONTAINER(dialog->window), fixed);
  AddControls(*dialog, fixed, units);
  return dialog;
}

std::vector<GtkWidget*> TabStops(const GtkDialog& dialog) {
  std::vector<GtkWidget*> stops;
  for (const auto& control : dialog.controls)
    if (IsTabStop(dialog.source->controls[control->index])) stops.push_back(control->widget);
  return stops;
}

}  // namespace plat::linux_port
