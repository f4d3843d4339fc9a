#pragma once

#include <cstddef>

// What the engine asks of the page that hosts it. Texts are UTF-8, a pointer and a length into
// the module's memory.
namespace host {

#define HALMIRA_IMPORT(name) __attribute__((import_module("halmira"), import_name(name)))

extern "C" {
// A batch of figure records, count floats in all, for the page to replay in order.
HALMIRA_IMPORT("figures") void figures(const float *records, std::size_t count);
HALMIRA_IMPORT("set_text")
void setText(const char *name, std::size_t nameLength, const char *text, std::size_t length);
// A control's new place, in the page's logical pixels.
HALMIRA_IMPORT("set_left") void setLeft(const char *name, std::size_t nameLength, int pixels);
HALMIRA_IMPORT("set_top") void setTop(const char *name, std::size_t nameLength, int pixels);
HALMIRA_IMPORT("set_visible")
void setVisible(const char *name, std::size_t nameLength, bool visible);
HALMIRA_IMPORT("unload") void unload();
// Returns at the deadline, on the clock the WASI monotonic clock reads, in nanoseconds. The
// build lets it suspend the handler (binaryen's asyncify), so the page's event loop runs on
// meanwhile and a timer resumes the handler.
HALMIRA_IMPORT("wait_until") void waitUntil(double deadlineNanoseconds);
// The error report's sentence, for the error with that number.
HALMIRA_IMPORT("runtime_error")
void runtimeError(int code, const char *report, std::size_t length);
// What a run shows and says beyond its drawing: the scene covers the windowless controls, words
// to announce, and what the drawing now shows.
HALMIRA_IMPORT("scene_covers") void sceneCovers();
HALMIRA_IMPORT("announce") void announce(const char *words, std::size_t length);
HALMIRA_IMPORT("describe_scene") void describeScene(const char *words, std::size_t length);
}

#undef HALMIRA_IMPORT

} // namespace host
