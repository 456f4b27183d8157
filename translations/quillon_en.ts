<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>quillon::Errors</name>
    <message>
        <source>Cannot open file</source>
        <translation>Cannot open file</translation>
    </message>
    <message>
        <source>Cannot create file</source>
        <translation>Cannot create file</translation>
    </message>
    <message>
        <source>Unable to insert a line</source>
        <translation>Unable to insert a line</translation>
    </message>
    <message>
        <source>Cannot open clipboard: no graphical session is running</source>
        <translation>Cannot open clipboard: no graphical session is running</translation>
    </message>
    <message>
        <source>Cannot open clipboard: the platform offers no clipboard</source>
        <translation>Cannot open clipboard: the platform offers no clipboard</translation>
    </message>
    <message>
        <source>Out of system resources</source>
        <translation>Out of system resources</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>quillon::LinkFormats</name>
    <message>
        <source>复制为 HTML 链接</source>
        <translation>Copy as HTML Link</translation>
    </message>
    <message>
        <source>复制为 reStructuredText 链接</source>
        <translation>Copy as reStructuredText Link</translation>
    </message>
    <message>
        <source>复制为 AsciiDoc 链接</source>
        <translation>Copy as AsciiDoc Link</translation>
    </message>
    <message>
        <source>复制为 Org 链接</source>
        <translation>Copy as Org Link</translation>
    </message>
    <message>
        <source>复制为 MediaWiki 链接</source>
        <translation>Copy as MediaWiki Link</translation>
    </message>
    <message>
        <source>复制为“标题 — 地址”文本行</source>
        <translation>Copy as “Title — Address” Line</translation>
    </message>
</context>
<context>
    <name>quillon::TEditorWindow</name>
    <message>
        <source>Hyperlink Editor</source>
        <translation>Hyperlink Editor</translation>
    </message>
    <message>
        <source>Hyperlink</source>
        <translation>Hyperlink</translation>
    </message>
    <message>
        <source>The document of the editor beside the blue label; Enter starts a new paragraph</source>
        <translation>The document of the editor beside the blue label; Enter starts a new paragraph</translation>
    </message>
    <message>
        <source>&amp;Copy All</source>
        <translation>&amp;Copy All</translation>
    </message>
    <message>
        <source>Copies the whole text as the blue label copies a link: rich text, HTML and plain text</source>
        <translation>Copies the whole text as the blue label copies a link: rich text, HTML and plain text</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Closes the window: the editor beside the blue label shows the text again</source>
        <translation>Closes the window: the editor beside the blue label shows the text again</translation>
    </message>
</context>
<context>
    <name>quillon::TForm1</name>
    <message>
        <source>文字:</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>链接:</source>
        <translation>Link:</translation>
    </message>
    <message>
        <source>富文本型:</source>
        <translation>BBCode:</translation>
    </message>
    <message>
        <source>MarkDown型:</source>
        <translation>Markdown:</translation>
    </message>
    <message>
        <source>转为所见所得模式下数据到剪贴板==&gt;</source>
        <translation>Copy as a formatted link ==&gt;</translation>
    </message>
    <message>
        <source>==&gt;转为MarkDown型</source>
        <translation>==&gt; Markdown</translation>
    </message>
    <message>
        <source>===&gt;转为富文本型</source>
        <translation>===&gt; BBCode</translation>
    </message>
    <message>
        <source>添加新项</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除项目</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>删除新项</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>去重保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Button9</source>
        <translation>Button9</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>What the last action did</source>
        <translation>What the last action did</translation>
    </message>
    <message>
        <source>Merged 1 entry added by another program</source>
        <translation>Merged 1 entry added by another program</translation>
    </message>
    <message>
        <source>Merged %1 entries added by another program</source>
        <translation>Merged %1 entries added by another program</translation>
    </message>
    <message>
        <source>Merged %1 added and %2 deleted entries of another program</source>
        <translation>Merged %1 added and %2 deleted entries of another program</translation>
    </message>
    <message>
        <source>%1 could not be read: nothing will be written to it</source>
        <translation>%1 could not be read: nothing will be written to it</translation>
    </message>
    <message>
        <source>%1: 1 entry is not valid text in its encoding; it shows � and is saved back as it was</source>
        <translation>%1: 1 entry is not valid text in its encoding; it shows � and is saved back as it was</translation>
    </message>
    <message>
        <source>%1: %2 entries are not valid text in its encoding; they show � and are saved back as they were</source>
        <translation>%1: %2 entries are not valid text in its encoding; they show � and are saved back as they were</translation>
    </message>
    <message>
        <source>%1 was removed: the list is kept as shown, not saved</source>
        <translation>%1 was removed: the list is kept as shown, not saved</translation>
    </message>
    <message>
        <source>Reloaded %1</source>
        <translation>Reloaded %1</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>This entry is %1 characters long. Put it into the fields all the same?</source>
        <translation>This entry is %1 characters long. Put it into the fields all the same?</translation>
    </message>
    <message>
        <source>Copied the Markdown link</source>
        <translation>Copied the Markdown link</translation>
    </message>
    <message>
        <source>Added 1 entry</source>
        <translation>Added 1 entry</translation>
    </message>
    <message>
        <source>Deleted 1 entry</source>
        <translation>Deleted 1 entry</translation>
    </message>
    <message>
        <source>Saved 1 entry</source>
        <translation>Saved 1 entry</translation>
    </message>
    <message>
        <source>Saved %1 entries</source>
        <translation>Saved %1 entries</translation>
    </message>
    <message>
        <source>Now saved as UTF-8: the code page %1 cannot hold every entry</source>
        <translation>Now saved as UTF-8: the code page %1 cannot hold every entry</translation>
    </message>
    <message>
        <source>These lists have changes that are not saved:
%1

Save them before closing?</source>
        <translation>These lists have changes that are not saved:
%1

Save them before closing?</translation>
    </message>
    <message>
        <source>%1 could not be read: save the list to another file</source>
        <translation>%1 could not be read: save the list to another file</translation>
    </message>
    <message>
        <source>Copied as rich text</source>
        <translation>Copied as rich text</translation>
    </message>
    <message>
        <source>Edited in the larger window</source>
        <translation>Edited in the larger window</translation>
    </message>
    <message>
        <source>&amp;Edit in a Larger Window</source>
        <translation>&amp;Edit in a Larger Window</translation>
    </message>
</context>
<context>
    <name>quillon::TFormAccess</name>
    <message>
        <source>Quillon</source>
        <translation>Quillon</translation>
    </message>
    <message>
        <source>把标题和网址组成 MarkDown 和 BBCode 链接，并保存在两个列表中</source>
        <translation>Turns a title and a web address into Markdown and BBCode links and keeps them in two lists</translation>
    </message>
    <message>
        <source>标题输入框的标签</source>
        <translation>Label of the title field</translation>
    </message>
    <message>
        <source>链接输入框的标签</source>
        <translation>Label of the address field</translation>
    </message>
    <message>
        <source>富文本型列表的标签</source>
        <translation>Label of the BBCode list</translation>
    </message>
    <message>
        <source>MarkDown型列表的标签</source>
        <translation>Label of the Markdown list</translation>
    </message>
    <message>
        <source>链接文字</source>
        <translation>Link title</translation>
    </message>
    <message>
        <source>链接的标题</source>
        <translation>The title of the link</translation>
    </message>
    <message>
        <source>链接地址</source>
        <translation>Link address</translation>
    </message>
    <message>
        <source>链接的网址；按 Enter 组成 MarkDown 链接</source>
        <translation>The web address of the link; Enter composes the Markdown link</translation>
    </message>
    <message>
        <source>BBCode 链接</source>
        <translation>BBCode link</translation>
    </message>
    <message>
        <source>组成的 BBCode 链接</source>
        <translation>The composed BBCode link</translation>
    </message>
    <message>
        <source>MarkDown 链接</source>
        <translation>Markdown link</translation>
    </message>
    <message>
        <source>组成的 MarkDown 链接</source>
        <translation>The composed Markdown link</translation>
    </message>
    <message>
        <source>富文本型列表</source>
        <translation>BBCode list</translation>
    </message>
    <message>
        <source>保存的 BBCode 链接；选中一项即填入文字和链接</source>
        <translation>The stored BBCode links; picking one fills in the title and the address</translation>
    </message>
    <message>
        <source>MarkDown型列表</source>
        <translation>Markdown list</translation>
    </message>
    <message>
        <source>保存的 MarkDown 链接；选中一项即复制到剪贴板</source>
        <translation>The stored Markdown links; picking one copies it to the clipboard</translation>
    </message>
    <message>
        <source>超链接</source>
        <translation>Hyperlink</translation>
    </message>
    <message>
        <source>蓝色标签复制到剪贴板的超链接，可以编辑后再复制</source>
        <translation>The hyperlink the blue label puts on the clipboard; it can be edited and copied again</translation>
    </message>
    <message>
        <source>组成 MarkDown 链接</source>
        <translation>Compose the Markdown link</translation>
    </message>
    <message>
        <source>组成 BBCode 链接</source>
        <translation>Compose the BBCode link</translation>
    </message>
    <message>
        <source>把 BBCode 链接加入富文本型列表</source>
        <translation>Add the BBCode link to the BBCode list</translation>
    </message>
    <message>
        <source>从富文本型列表删除所选项</source>
        <translation>Delete the selected entry of the BBCode list</translation>
    </message>
    <message>
        <source>去掉富文本型列表中相邻的重复项并保存</source>
        <translation>Drop adjacent duplicates from the BBCode list and save it</translation>
    </message>
    <message>
        <source>把 MarkDown 链接加入MarkDown型列表</source>
        <translation>Add the Markdown link to the Markdown list</translation>
    </message>
    <message>
        <source>从MarkDown型列表删除所选项</source>
        <translation>Delete the selected entry of the Markdown list</translation>
    </message>
    <message>
        <source>去掉MarkDown型列表中相邻的重复项并保存</source>
        <translation>Drop adjacent duplicates from the Markdown list and save it</translation>
    </message>
    <message>
        <source>从网页读取标题填入“文字”</source>
        <translation>Fill in the title from the web page</translation>
    </message>
    <message>
        <source>把文字和链接作为带格式的超链接复制到剪贴板</source>
        <translation>Copy the title and address to the clipboard as a formatted hyperlink</translation>
    </message>
    <message>
        <source>窗口置顶</source>
        <translation>Stay on Top</translation>
    </message>
    <message>
        <source>窗口保持在其他窗口之上</source>
        <translation>Keep the window above other windows</translation>
    </message>
</context>
<context>
    <name>quillon::TFormLinkTools</name>
    <message>
        <source>取标题</source>
        <translation>Get title</translation>
    </message>
    <message>
        <source>复制所选链接（所见即所得）</source>
        <translation>Copy Selected Links (Formatted)</translation>
    </message>
    <message>
        <source>复制所选链接为 MarkDown</source>
        <translation>Copy Selected Links as Markdown</translation>
    </message>
    <message>
        <source>复制所选链接为 BBCode</source>
        <translation>Copy Selected Links as BBCode</translation>
    </message>
    <message>
        <source>Copied the link as %1</source>
        <translation>Copied the link as %1</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>Copied %1 links as rich text</source>
        <translation>Copied %1 links as rich text</translation>
    </message>
    <message>
        <source>Copied %1 links as Markdown</source>
        <translation>Copied %1 links as Markdown</translation>
    </message>
    <message>
        <source>Copied %1 links as BBCode</source>
        <translation>Copied %1 links as BBCode</translation>
    </message>
</context>
<context>
    <name>quillon::TLinkListBox</name>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Shows only the entries that hold this text (Ctrl+F)</source>
        <translation>Shows only the entries that hold this text (Ctrl+F)</translation>
    </message>
    <message>
        <source>Edited 1 entry</source>
        <translation>Edited 1 entry</translation>
    </message>
    <message>
        <source>Deleted 1 entry</source>
        <translation>Deleted 1 entry</translation>
    </message>
    <message>
        <source>Deleted %1 entries</source>
        <translation>Deleted %1 entries</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>Nothing to undo</translation>
    </message>
    <message>
        <source>Undone</source>
        <translation>Undone</translation>
    </message>
</context>
<context>
    <name>quillon::TRVQtRichViewWidget</name>
    <message>
        <source>Link: %1</source>
        <translation>Link: %1</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>&amp;Open Link</source>
        <translation>&amp;Open Link</translation>
    </message>
    <message>
        <source>Copy &amp;Link Address</source>
        <translation>Copy &amp;Link Address</translation>
    </message>
    <message>
        <source>Copy as &amp;Markdown</source>
        <translation>Copy as &amp;Markdown</translation>
    </message>
    <message>
        <source>Copy as &amp;BBCode</source>
        <translation>Copy as &amp;BBCode</translation>
    </message>
</context>
<context>
    <name>quillon::TTitleFetcher</name>
    <message>
        <source>the address is not valid</source>
        <translation>the address is not valid</translation>
    </message>
    <message>
        <source>the page is not HTML (%1)</source>
        <translation>the page is not HTML (%1)</translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <translation>no answer within %1 seconds</translation>
    </message>
    <message>
        <source>Cannot fetch the title of &quot;%1&quot;: %2</source>
        <translation>Cannot fetch the title of &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>the server answered %1 %2</source>
        <translation>the server answered %1 %2</translation>
    </message>
</context>
</TS>
