// Identifiers of the editor window (range 2000-3999). Menu commands and
// control identifiers are numbered in code (editor/win/save_form.h,
// 2000-2399); the pictures live here.
#pragma once

// Toolbar pictures, 40 x 40, in toolbar order: 完成, 取消, 另存为, 剪贴板,
// 90度旋转, 水平翻转, 垂直翻转, 放大, 缩小, 实际大小.
#define IDI_EDITOR_TOOLBAR_FIRST 2600
// Tool button pictures, 24 x 24, in tool panel order (line, rectangle,
// rounded rectangle, oval, text, spray gun, magnifier, straw, hand,
// scaling, free transform, translation, blur).
#define IDI_EDITOR_TOOL_FIRST 2620
