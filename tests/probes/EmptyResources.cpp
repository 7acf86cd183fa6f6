// A resource library with nothing in it: proves which library the language
// choice loads.
extern "C" int ZelphResourceLibraryMarker() { return 1; }
