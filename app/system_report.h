#pragma once

// The system lines of the report ("OS : ...", "CPU : ...", memory, disk).
bool ReportSystemInfo();
