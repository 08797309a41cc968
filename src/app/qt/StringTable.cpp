#include "app/qt/StringTable.h"

#include <QStringList>

#include "app/ExpressionsFile.h"
#include "editor/qt/CommandIds.h"

namespace {
struct StringEntry {
    int id;
    const char* text; // prompt, "\n", tooltip
};

constexpr StringEntry kCommandStrings[] = {
    {ID_INSERT_BRACKETS, "Добавление скобок в выражение\nСкобки"},
    {ID_INSERT_ROOT, "Добавление квадратного корня в выражение\nКвадратный корень"},
    {ID_INSERT_DERIVE, "Добавление производной в выражение\nПроизводная"},
    {ID_INSERT_LOW_INDEX, "Добавление нижнего индекса в выражение\nНижний индекс"},
    {ID_INSERT_HIGH_INDEX, "Добавление верхнего индекса в выражение\nВерхний индекс"},
    {ID_INSERT_FRACTION, "Добавление дроби в выражение\nДробь"},
    {ID_INSERT_BOTH_INDEXES,
     "Добавление нижнего и верхнего индексов в выражение\nНижний и Верхний Индексы"},
    {ID_EXIT_WITHOUT_SAVING,
     "Выход из программы без сохранения изменений\nВыход без сохранения изменений"},
    {ID_SAVE_AND_EXIT, "Сохранение документа и выход из программы\nСохранить и Выйти"},
    {ID_GET_HELP, "Вызов окна справки\nВызов справки..."},
    {ID_INSERT_DERIVE2, "Добавление второй производной в выражение\nВторая производная"},
    {ID_EDIT_COPY, "Копирование выделенного фрагмента выражения в Буфер обмена\nКопировать"},
    {ID_EDIT_CUT,
     "Вырезание выделенного фрагмента выражения и помещение его в Буфер обмена\nВырезать"},
    {ID_EDIT_PASTE, "Вставка содержимого Буфера обмена в выражение\nВставить"},
    {ID_EDIT_UNDO, "Отмена последнего действия\nОтменить"},
    {ID_EDIT_REDO, "Возвращение отмененного действия\nВернуть"},
    {ID_APP_ABOUT,
     "Отображение информации о программе, номера версии и авторских прав\nО Vexlor..."},
    {ID_APP_EXIT, "Выход из программы\nВыход"},
    {ID_VIEW_TOOLBAR, "Отображение/скрытие панели инструментов\nПанель инструментов"},
    {ID_VIEW_STATUS_BAR, "Отображение/скрытие строки состояния\nСтрока состояния"},
    {ID_FILE_OPEN, "Открытие файла выражений\nОткрыть"},
    {ID_FILE_SAVE, "Сохранение документа\nСохранить"},
    {ID_FILE_SAVE_AS, "Сохранение документа в файле с другим именем\nСохранить как"},
    {ID_FILE_EXPORT, "Сохранение формул в виде рисунка SVG, PNG или страниц PDF\nЭкспорт…"},
    {ID_FILE_PRINT, "Печать формул с разрывами страниц между выражениями\nПечать…"},
    {ID_EDIT_COPY_LATEX, "Копирование выделенного фрагмента выражения в Буфер обмена в виде LaTeX\n"
                         "Копировать как LaTeX"},
    {ID_VIEW_ZOOM_IN, "Увеличение масштаба формул\nМасштаб: крупнее"},
    {ID_VIEW_ZOOM_OUT, "Уменьшение масштаба формул\nМасштаб: мельче"},
    {ID_VIEW_ZOOM_RESET, "Возврат к масштабу 100 %\nМасштаб: 100 %"},
};
} // namespace

QString StringTable::Entry(int id, int part) {
    for (const StringEntry& entry : kCommandStrings) {
        if (entry.id == id) {
            QStringList parts = QString::fromUtf8(entry.text).split(QLatin1Char('\n'));
            return part < parts.size() ? parts[part] : QString();
        }
    }
    return {};
}

QString StringTable::AppTitle() {
    return QStringLiteral("Vexlor");
}
QString StringTable::Prompt(int id) {
    return Entry(id, 0);
}
QString StringTable::ToolTip(int id) {
    return Entry(id, 1);
}
QString StringTable::Ready() {
    return QStringLiteral("Готово");
}

QString StringTable::MessagePaneSample() {
    return QStringLiteral(
        "Здесь отображается сообщение об ошибке. Если ошибок нет, эта стока пуста.");
}

QString StringTable::OpenError(const QString& fileName) {
    return QStringLiteral("Ошибка открытия файла: ") + fileName;
}

QString StringTable::OpenTooLarge(const QString& fileName) {
    return QStringLiteral("Файл не открыт: %1 — он больше 16 МБ").arg(fileName);
}

QString StringTable::SaveFailed(const QString& fileName, ExpressionsFile::Failure failure) {
    using Failure = ExpressionsFile::Failure;
    QString reason;
    switch (failure) {
    case Failure::kMissing:
        reason = QStringLiteral("папка не найдена");
        break;
    case Failure::kFolder:
        reason = QStringLiteral("это папка");
        break;
    case Failure::kReadOnly:
        reason = QStringLiteral("файл только для чтения");
        break;
    case Failure::kDenied:
        reason = QStringLiteral("нет прав на запись");
        break;
    case Failure::kNoSpace:
        reason = QStringLiteral("на диске нет места");
        break;
    case Failure::kNone:
    case Failure::kTooLarge:
    case Failure::kOther:
        reason = QStringLiteral("ошибка записи");
        break;
    }
    return QStringLiteral("Файл не сохранён: %1 — %2").arg(fileName, reason);
}

QString StringTable::SaveRefusedUnread(const QString& fileName) {
    return QStringLiteral("Файл не сохранён: %1 — он не был прочитан при открытии, и "
                          "перезаписывать его нельзя")
        .arg(fileName);
}

QString StringTable::SaveAsTitle() {
    return QStringLiteral("Сохранить как");
}
QString StringTable::OpenTitle() {
    return QStringLiteral("Открыть");
}
QString StringTable::FileFilter() {
    return QStringLiteral("Файлы выражений (*.txt);;Все файлы (*)");
}
QString StringTable::ModifiedIndicator() {
    return QStringLiteral("Изменён");
}
QString StringTable::ModifiedToolTip() {
    return QStringLiteral("Есть несохранённые изменения");
}

QString StringTable::SaveChangesQuestion() {
    return QStringLiteral("Сохранить изменения?");
}
QString StringTable::ExitCaption() {
    return QStringLiteral("Выход");
}
QString StringTable::AboutCaption() {
    return QStringLiteral("О Vexlor");
}
QString StringTable::VersionWord() {
    return QStringLiteral(" Версия ");
}
QString StringTable::Copyright() {
    return QStringLiteral("Copyright © Zentrik");
}
QString StringTable::CapsIndicator() {
    return QStringLiteral("CAP");
}
QString StringTable::NumIndicator() {
    return QStringLiteral("NUM");
}
QString StringTable::ScrollIndicator() {
    return QStringLiteral("SCRL");
}
