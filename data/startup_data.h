#pragma once
// The project-data steps of the start-up, in the order it runs them. Each returns
// false when the start-up must end, after showing the game's message.

// Makes sure "data\" exists, offering to copy "default\" ("「data」フォルダの作成
// に失敗…" when it cannot be made).
bool CopyDefaultDataStep();
// The folders of the start-up folder list (results ignored).
void CreateStartupFoldersStep();

// The ten database files ("データベースの読み込みに失敗…" when one cannot be read).
bool LoadDatabaseStep();
// The working copies of the character and screen effects, the animation and effect
// step tables and the prepared character and screen effects. Runs once, after
// LoadDatabaseStep: preparing the reverse tables changes the working copies.
void PrepareDatabaseTables();
// "data\System.dat" into SystemData ("%s の読み込みに失敗…" with the path). Needs
// the database: scene music numbers are checked against its music list.
bool LoadSystemDataStep();

// "data\CommonPalette.cplt4" into CommonPalette ("%s のロードに失敗！" with the
// path). Its definitions are checked against the database and the settings.
bool LoadCommonPaletteStep();

// "user_data\Option.dat" into OptionData; a file that cannot be read keeps the
// defaults and is not reported.
void LoadOptionStep();
// "data\WorldMap.dat" into WorldMap ("%s のロードに失敗！" with the path).
bool LoadWorldMapStep();

extern const char* const kSystemDataPath;         // "data\System.dat"
extern const char* const kCommonPalettePath;      // "data\CommonPalette.cplt4"
