#pragma once

namespace App {

// The windowed program, once the application object exists: the built-in style, the main
// window (which runs the login) and the event loop. Returns the process's exit code.
int runMainWindow();

} // namespace App
