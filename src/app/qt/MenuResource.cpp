#include "app/qt/MenuResource.h"

#include "editor/Accelerators.h"
#include "editor/qt/CommandIds.h"
#include "editor/qt/KeyMap.h"

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

// Zoom keys the window alone knows: their keys have no virtual-key code in
// the editor's key set, and the batch mode has no view to zoom.
constexpr Accelerator kZoomKeys[] = {
    {ID_VIEW_ZOOM_IN, Qt::CTRL | Qt::Key_Equal},
    {ID_VIEW_ZOOM_IN, Qt::CTRL | Qt::Key_Plus},
    {ID_VIEW_ZOOM_OUT, Qt::CTRL | Qt::Key_Minus},
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
std::vector<Accelerator> MenuResource::Accelerators() {
    std::vector<Accelerator> table;
    for (const ::Accelerators::Accelerator& a : ::Accelerators::All()) {
        Qt::KeyboardModifiers modifiers;
        modifiers.setFlag(Qt::ShiftModifier, a.shift);
        modifiers.setFlag(Qt::ControlModifier, a.control);
        modifiers.setFlag(Qt::AltModifier, a.alt);
        table.push_back({a.id, QKeyCombination(modifiers, KeyMap::QtKey(a.vk))});
    }
    table.insert(table.end(), std::begin(kZoomKeys), std::end(kZoomKeys));
    return table;
}
std::span<const int> MenuResource::ToolbarButtons() {
    return kToolbar;
}
