// Everything the app registers before it starts: its delegate, its screen
// and view classes, and the storyboard that connects the screens.
#pragma once

namespace tl {

/// Registers the app's classes and sets its storyboard as the main one.
/// The process entry and the screenshot tool call it first.
void registerApplication();

}  // namespace tl
