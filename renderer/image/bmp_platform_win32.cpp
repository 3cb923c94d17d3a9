// Win32 file mapping, GDI conversion and message boxes for the BMP loader (being completed).
