// The resource library's own translation unit; the pictures themselves are compiled in by
// the resource compiler.
