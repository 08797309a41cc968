#include "app/qt/MenuResource.h"

#include "editor/qt/CommandIds.h"

namespace {
using Item = MenuResource::Item;
using Popup = MenuResource::Popup;
using Accelerator = MenuResource::Accelerator;

constexpr Item kFile[] = {
    {ID_FILE_OPEN, "&Открыть…\tCtrl+O"},
    {ID_FILE_SAVE, "&Сохранить\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Сохранить &как…\tCtrl+Shift+S"},
    {ID_SEPARATOR, ""},
    {ID_FILE_EXPORT, "&Экспорт…"},
    {ID_FILE_PRINT, "&Печать…"},
    {ID_SEPARATOR, ""},
    {ID_SAVE_AND_EXIT, "Со&хранить и Выйти\tAlt+S"},
    {ID_EXIT_WITHOUT_SAVING, "Выход &без сохранения изменений\tAlt+W"},
    {ID_SEPARATOR, ""},
    // The recent files: the frame gives them their names and hides the
    // unused ones.
    {ID_FILE_MRU_FILE1, ""},
    {ID_FILE_MRU_FILE1 + 1, ""},
    {ID_FILE_MRU_FILE1 + 2, ""},
    {ID_FILE_MRU_FILE1 + 3, ""},
    {ID_FILE_MRU_FILE1 + 4, ""},
    {ID_FILE_MRU_FILE1 + 5, ""},
    {ID_FILE_MRU_FILE1 + 6, ""},
    {ID_FILE_MRU_LAST, ""},
    {ID_SEPARATOR, ""},
    {ID_APP_EXIT, "В&ыход\tAlt+X"},
};

constexpr Item kEdit[] = {
    {ID_EDIT_UNDO, "&Отменить\tCtrl+Z"},
    {ID_EDIT_REDO, "&Вернуть\tCtrl+Y"},
    {ID_SEPARATOR, ""},
    {ID_EDIT_CUT, "Вы&резать\tCtrl+X"},
    {ID_EDIT_COPY, "&Копировать\tCtrl+C"},
    {ID_EDIT_PASTE, "Вст&авить\tCtrl+V"},
    {ID_SEPARATOR, ""},
    {ID_EDIT_COPY_LATEX, "Копировать как &LaTeX"},
};

constexpr Item kInsert[] = {
    {ID_INSERT_BRACKETS, "&Скобки\tCtrl+B"},
    {ID_INSERT_DERIVE, "&Производная\tCtrl+D"},
    {ID_INSERT_DERIVE2, "В&торая производная\tCtrl+E"},
    {ID_INSERT_FRACTION, "&Дробь\tCtrl+F"},
    {ID_INSERT_HIGH_INDEX, "&Верхний индекс\tCtrl+P"},
    {ID_INSERT_LOW_INDEX, "&Нижний индекс\tCtrl+I"},
    {ID_INSERT_BOTH_INDEXES, "Нижний и Верхний &Индексы\tCtrl+W"},
    {ID_INSERT_ROOT, "&Квадратный корень\tCtrl+R"},
};

constexpr Item kView[] = {
    {ID_VIEW_TOOLBAR, "&Панель инструментов"},
    {ID_VIEW_STATUS_BAR, "&Строка состояния"},
    {ID_SEPARATOR, ""},
    {ID_VIEW_ZOOM_IN, "&Масштаб: крупнее\tCtrl+="},
    {ID_VIEW_ZOOM_OUT, "Масштаб: &мельче\tCtrl+-"},
    {ID_VIEW_ZOOM_RESET, "Масштаб: &100 %\tCtrl+0"},
};

constexpr Item kHelp[] = {
    {ID_GET_HELP, "&Вызов справки..."},
    {ID_SEPARATOR, ""},
    {ID_APP_ABOUT, "&О Vexlor..."},
};

constexpr Popup kMenu[] = {
    {"&Файл", kFile}, {"&Правка", kEdit}, {"Вст&авка", kInsert},
    {"&Вид", kView},  {"П&омощь", kHelp},
};

constexpr Accelerator kAccelerators[] = {
    {ID_INSERT_BRACKETS, Qt::CTRL | Qt::Key_B},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_C},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_Insert},
    {ID_INSERT_DERIVE, Qt::CTRL | Qt::Key_D},
    {ID_INSERT_DERIVE2, Qt::CTRL | Qt::Key_E},
    {ID_INSERT_FRACTION, Qt::CTRL | Qt::Key_F},
    {ID_INSERT_LOW_INDEX, Qt::CTRL | Qt::Key_I},
    {ID_INSERT_HIGH_INDEX, Qt::CTRL | Qt::Key_P},
    {ID_INSERT_ROOT, Qt::CTRL | Qt::Key_R},
    {ID_FILE_SAVE, Qt::CTRL | Qt::Key_S},
    {ID_SAVE_AND_EXIT, Qt::ALT | Qt::Key_S},
    {ID_EDIT_PASTE, Qt::CTRL | Qt::Key_V},
    {ID_EDIT_PASTE, Qt::SHIFT | Qt::Key_Insert},
    {ID_INSERT_BOTH_INDEXES, Qt::CTRL | Qt::Key_W},
    {ID_EXIT_WITHOUT_SAVING, Qt::ALT | Qt::Key_W},
    {ID_EDIT_CUT, Qt::CTRL | Qt::Key_X},
    {ID_EDIT_CUT, Qt::SHIFT | Qt::Key_Delete},
    {ID_APP_EXIT, Qt::ALT | Qt::Key_X},
    {ID_EDIT_REDO, Qt::CTRL | Qt::Key_Y},
    {ID_EDIT_UNDO, Qt::CTRL | Qt::Key_Z},
    {ID_EDIT_UNDO, Qt::ALT | Qt::Key_Backspace},
    {ID_GET_HELP, QKeyCombination(Qt::Key_F1)},
    {ID_NEXT_PANE, QKeyCombination(Qt::Key_F6)},
    {ID_PREV_PANE, Qt::SHIFT | Qt::Key_F6},
    {ID_FILE_OPEN, Qt::CTRL | Qt::Key_O},
    {ID_FILE_SAVE_AS, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
    {ID_VIEW_ZOOM_IN, Qt::CTRL | Qt::Key_Equal},
    {ID_VIEW_ZOOM_IN, Qt::CTRL | Qt::Key_Plus},
    {ID_VIEW_ZOOM_OUT, Qt::CTRL | Qt::Key_Minus},
    {ID_VIEW_ZOOM_RESET, Qt::CTRL | Qt::Key_0},
};

constexpr int kToolbar[] = {
    ID_FILE_SAVE,        ID_SAVE_AND_EXIT,       ID_EXIT_WITHOUT_SAVING, ID_SEPARATOR,
    ID_EDIT_CUT,         ID_EDIT_COPY,           ID_EDIT_PASTE,          ID_SEPARATOR,
    ID_EDIT_UNDO,        ID_EDIT_REDO,           ID_SEPARATOR,           ID_INSERT_BRACKETS,
    ID_INSERT_DERIVE,    ID_INSERT_DERIVE2,      ID_INSERT_FRACTION,     ID_INSERT_HIGH_INDEX,
    ID_INSERT_LOW_INDEX, ID_INSERT_BOTH_INDEXES, ID_INSERT_ROOT,         ID_SEPARATOR,
    ID_GET_HELP,
};
} // namespace

std::span<const Popup> MenuResource::Menu() {
    return kMenu;
}
std::span<const Accelerator> MenuResource::Accelerators() {
    return kAccelerators;
}
std::span<const int> MenuResource::ToolbarButtons() {
    return kToolbar;
}
