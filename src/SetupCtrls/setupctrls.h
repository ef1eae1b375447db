#pragma once

/// The library as a whole.
namespace SetupCtrls {

/// Makes the library's classes known to the layout loader by name.
void RegisterClasses();

/// What a program built on the library calls once after its application object exists, before
/// it loads a layout: registers the classes and gives assistive technology the controls'
/// interfaces. Calling it again does nothing.
void Install();

} // namespace SetupCtrls
