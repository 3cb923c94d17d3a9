// The project's own DIB pixel converter (being completed).
