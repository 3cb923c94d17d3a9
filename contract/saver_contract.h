// What Kestrine.scr and Kestrine.dll share. The two programs are separate
// processes: the front end stages four files into a fixed folder, starts the
// renderer by its file name and follows it by its window's caption. A second
// start of the front end looks for the captions of its own two windows.
#pragma once

#define KESTRINE_STAGING_FOLDER "C:\\tolvin"

// The staging folder and the files the front end writes there at every start
// of show mode; the renderer reads them and nothing else.
constexpr char kStagingFolder[] = KESTRINE_STAGING_FOLDER;
constexpr char kLakeBedPath[] = KESTRINE_STAGING_FOLDER "\\Solvane1.bmp";   // 256 x 256
constexpr char kBackdropPath[] = KESTRINE_STAGING_FOLDER "\\Solvane2.bmp";  // 1024 x 256
constexpr char kSplashPath[] = KESTRINE_STAGING_FOLDER "\\Solvane3.bmp";    // 64 x 64
constexpr char kModelPath[] = KESTRINE_STAGING_FOLDER "\\Solvane.data";

// Files in the program folder, beside Kestrine.scr.
constexpr char kModelFileName[] = "Kestrine.data";  // copied to kModelPath
constexpr char kRendererFileName[] = "Kestrine.dll";

// The renderer's top-level window; the front end ends once it has gone.
constexpr char kRendererWindowClass[] = "OpenGL";
constexpr char kRendererCaption[] = "Solvane_VC";

// The front end's hidden show-mode window and its settings dialog: while
// either exists, another start of the front end ends at once.
constexpr char kShowFormCaption[] = "Solvane_Main";
constexpr char kSettingsFormCaption[] = "<Kestrine>";
