#pragma once
// Every command id of the program, by name. The numbers are fixed: the menus, the toolbar, the
// settings files and other users' key bindings all know the commands by them.

namespace kiv {

// File
inline constexpr int kCmdFileNew = 57600;
inline constexpr int kCmdFileOpen = 57601;
inline constexpr int kCmdFileSave = 57603;
inline constexpr int kCmdFileSaveAs = 57604;
inline constexpr int kCmdFilePrintSetup = 57606;
inline constexpr int kCmdFilePrint = 57607;
inline constexpr int kCmdFilePrintPreview = 57609;
inline constexpr int kCmdOpenLocal = 32910;
inline constexpr int kCmdOpenFromWeb = 32956;
inline constexpr int kCmdSaveSettings = 32887;
inline constexpr int kCmdRestoreSettings = 32888;
inline constexpr int kCmdExit = 57665;

// Edit (the export editor)
inline constexpr int kCmdEditCopy = 57634;
inline constexpr int kCmdEditCut = 57635;
inline constexpr int kCmdEditPaste = 57637;
inline constexpr int kCmdEditSelectAll = 57642;
inline constexpr int kCmdEditUndo = 57643;

// Animation
inline constexpr int kCmdPlay = 32777;
inline constexpr int kCmdPause = 32771;
inline constexpr int kCmdReset = 32772;
inline constexpr int kCmdZoom = 32877;
inline constexpr int kCmdDraw = 32878;
inline constexpr int kCmdTime = 32789;

// Data
inline constexpr int kCmdSatelliteData = 32790;
inline constexpr int kCmdExport = 32945;
inline constexpr int kCmdDisplayAll = 32821;
// The satellite buttons: slot i runs kCmdFirstSatellite + i; the alias re-reads all of them.
inline constexpr int kCmdSatelliteAlias = 34998;
inline constexpr int kCmdFirstSatellite = 35000;
inline constexpr int kCmdLastSatellite = 35254;

// Options
inline constexpr int kCmdGeneral = 32788;
inline constexpr int kCmdWdbLayer = 32911;
inline constexpr int kCmdObsOptions = 32915;
inline constexpr int kCmdView3D = 32916;
inline constexpr int kCmdView2D = 32792;
inline constexpr int kCmdViewWdb = 32909;
inline constexpr int kCmdViewObs = 32914;
inline constexpr int kCmdTextures = 32781;
inline constexpr int kCmdWeather = 32955;
inline constexpr int kCmdGerman = 32907;
inline constexpr int kCmdEnglish = 32908;
inline constexpr int kCmdToolBar = 59392;
inline constexpr int kCmdStatusBar = 59393;
inline constexpr int kCmdTimeZone = 62465;

// Window and help
inline constexpr int kCmdArrange = 32918;
inline constexpr int kCmdCascade = 57650;
inline constexpr int kCmdTile = 57651;
inline constexpr int kCmdArrangeIcons = 57649;
inline constexpr int kCmdAbout = 57664;
inline constexpr int kCmdHelp = 57670;

// Shared by the view popups
inline constexpr int kCmdGoTo = 32785;
inline constexpr int kCmdName = 32808;
inline constexpr int kCmdPosition = 32809;
inline constexpr int kCmdRoute = 32807;
inline constexpr int kCmdSatelliteStyle = 32798; // the 2D and WDB style dialog, the observer dialog
inline constexpr int kCmdStationary = 32913;
inline constexpr int kCmdFollowSatellite = 32912;

// 2D map and WDB views
inline constexpr int kCmdFootprints = 32815;
inline constexpr int kCmdFootprintLine = 32884;
inline constexpr int kCmdFootprintArea = 32812;
inline constexpr int kCmdFootprintChecked = 32885;
inline constexpr int kCmdFootprintColored = 32886;
inline constexpr int kCmdShadow = 32954;
inline constexpr int kCmdMapTexture = 32957;
inline constexpr int kCmdMoon = 32952;
inline constexpr int kCmdSun = 32953;

// Globe
inline constexpr int kCmdGeostationary = 32797;
inline constexpr int kCmdBeamNone = 32806;
inline constexpr int kCmdBeamLine = 32803;
inline constexpr int kCmdBeamCone = 32804;
inline constexpr int kCmdBeamTransparent = 32805;
inline constexpr int kCmdFootprint3D = 32879;
inline constexpr int kCmdRouteEarth = 32800;
inline constexpr int kCmdRouteSpace = 32801;
inline constexpr int kCmdCoordinateCross = 32816;
inline constexpr int kCmdSatelliteStyle3D = 32791;
inline constexpr int kCmdQualityMouseMove = 32783;
inline constexpr int kCmdQualityNormal = 32784;

// Observer view
inline constexpr int kCmdTwilightCivil = 32926;
inline constexpr int kCmdTwilightNautical = 32927;
inline constexpr int kCmdTwilightAstronomical = 32928;
inline constexpr int kCmdKeep2D = 32923;
inline constexpr int kCmdDrawMan = 32920;
inline constexpr int kCmdHiddenLines = 32919;
inline constexpr int kCmdHemisphere = 32921;
inline constexpr int kCmdDrawIcons = 32924;
inline constexpr int kCmdPosAscDesc = 32934;
inline constexpr int kCmdDrawElevation = 32931;
inline constexpr int kCmdPrintElevation = 32937;
inline constexpr int kCmdDrawAzimuth = 32932;
inline constexpr int kCmdPrintAzimuth = 32938;
inline constexpr int kCmdCompassLines = 32929;
inline constexpr int kCmdPrintCompass = 32933;

} // namespace kiv
