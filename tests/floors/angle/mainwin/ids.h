// A window's ids.
