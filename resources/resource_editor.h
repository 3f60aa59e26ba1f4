// Identifiers of the editor window (range 2000-3999).
#pragma once
