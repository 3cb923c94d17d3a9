// Native file access and messages for the BMP loader (being completed).
