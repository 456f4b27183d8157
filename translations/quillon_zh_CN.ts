<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
        <translation>复制为 HTML 链接</translation>
    </message>
    <message>
        <source>复制为 reStructuredText 链接</source>
        <translation>复制为 reStructuredText 链接</translation>
    </message>
    <message>
        <source>复制为 AsciiDoc 链接</source>
        <translation>复制为 AsciiDoc 链接</translation>
    </message>
    <message>
        <source>复制为 Org 链接</source>
        <translation>复制为 Org 链接</translation>
    </message>
    <message>
        <source>复制为 MediaWiki 链接</source>
        <translation>复制为 MediaWiki 链接</translation>
    </message>
    <message>
        <source>复制为“标题 — 地址”文本行</source>
        <translation>复制为“标题 — 地址”文本行</translation>
    </message>
</context>
<context>
    <name>quillon::TEditorWindow</name>
    <message>
        <source>Hyperlink Editor</source>
        <translation>超链接编辑器</translation>
    </message>
    <message>
        <source>Hyperlink</source>
        <translation>超链接</translation>
    </message>
    <message>
        <source>The document of the editor beside the blue label; Enter starts a new paragraph</source>
        <translation>蓝色标签旁编辑框中的文档；按 Enter 另起一段</translation>
    </message>
    <message>
        <source>&amp;Copy All</source>
        <translation>全部复制(&amp;C)</translation>
    </message>
    <message>
        <source>Copies the whole text as the blue label copies a link: rich text, HTML and plain text</source>
        <translation>像蓝色标签复制链接那样复制全部内容：富文本、HTML 和纯文本</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Closes the window: the editor beside the blue label shows the text again</source>
        <translation>关闭窗口：蓝色标签旁的编辑框重新显示这段内容</translation>
    </message>
</context>
<context>
    <name>quillon::TForm1</name>
    <message>
        <source>文字:</source>
        <translation>文字:</translation>
    </message>
    <message>
        <source>链接:</source>
        <translation>链接:</translation>
    </message>
    <message>
        <source>富文本型:</source>
        <translation>富文本型:</translation>
    </message>
    <message>
        <source>MarkDown型:</source>
        <translation>MarkDown型:</translation>
    </message>
    <message>
        <source>转为所见所得模式下数据到剪贴板==&gt;</source>
        <translation>转为所见所得模式下数据到剪贴板==&gt;</translation>
    </message>
    <message>
        <source>==&gt;转为MarkDown型</source>
        <translation>==&gt;转为MarkDown型</translation>
    </message>
    <message>
        <source>===&gt;转为富文本型</source>
        <translation>===&gt;转为富文本型</translation>
    </message>
    <message>
        <source>添加新项</source>
        <translation>添加新项</translation>
    </message>
    <message>
        <source>删除项目</source>
        <translation>删除项目</translation>
    </message>
    <message>
        <source>删除新项</source>
        <translation>删除新项</translation>
    </message>
    <message>
        <source>去重保存</source>
        <translation>去重保存</translation>
    </message>
    <message>
        <source>Button9</source>
        <translation>Button9</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>What the last action did</source>
        <translation>上一个操作做了什么</translation>
    </message>
    <message>
        <source>Merged 1 entry added by another program</source>
        <translation>已合并另一个程序添加的 1 项</translation>
    </message>
    <message>
        <source>Merged %1 entries added by another program</source>
        <translation>已合并另一个程序添加的 %1 项</translation>
    </message>
    <message>
        <source>Merged %1 added and %2 deleted entries of another program</source>
        <translation>已合并另一个程序添加的 %1 项和删除的 %2 项</translation>
    </message>
    <message>
        <source>%1 could not be read: nothing will be written to it</source>
        <translation>无法读取 %1：不会写入该文件</translation>
    </message>
    <message>
        <source>%1: 1 entry is not valid text in its encoding; it shows � and is saved back as it was</source>
        <translation>%1：1 项不是该编码的有效文本；显示为 �，并按原样保存</translation>
    </message>
    <message>
        <source>%1: %2 entries are not valid text in its encoding; they show � and are saved back as they were</source>
        <translation>%1：%2 项不是该编码的有效文本；显示为 �，并按原样保存</translation>
    </message>
    <message>
        <source>%1 was removed: the list is kept as shown, not saved</source>
        <translation>%1 已被删除：列表保持显示的内容，尚未保存</translation>
    </message>
    <message>
        <source>Reloaded %1</source>
        <translation>已重新读取 %1</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>正在读取…</translation>
    </message>
    <message>
        <source>This entry is %1 characters long. Put it into the fields all the same?</source>
        <translation>此项长 %1 个字符。仍然填入输入框吗？</translation>
    </message>
    <message>
        <source>Copied the Markdown link</source>
        <translation>已复制 MarkDown 链接</translation>
    </message>
    <message>
        <source>Added 1 entry</source>
        <translation>已添加 1 项</translation>
    </message>
    <message>
        <source>Deleted 1 entry</source>
        <translation>已删除 1 项</translation>
    </message>
    <message>
        <source>Saved 1 entry</source>
        <translation>已保存 1 项</translation>
    </message>
    <message>
        <source>Saved %1 entries</source>
        <translation>已保存 %1 项</translation>
    </message>
    <message>
        <source>Now saved as UTF-8: the code page %1 cannot hold every entry</source>
        <translation>现以 UTF-8 保存：代码页 %1 无法容纳所有项</translation>
    </message>
    <message>
        <source>These lists have changes that are not saved:
%1

Save them before closing?</source>
        <translation>以下列表有未保存的更改：
%1

关闭前保存吗？</translation>
    </message>
    <message>
        <source>%1 could not be read: save the list to another file</source>
        <translation>无法读取 %1：把列表保存到另一个文件</translation>
    </message>
    <message>
        <source>Copied as rich text</source>
        <translation>已复制为富文本</translation>
    </message>
    <message>
        <source>Edited in the larger window</source>
        <translation>正在大窗口中编辑</translation>
    </message>
    <message>
        <source>&amp;Edit in a Larger Window</source>
        <translation>在大窗口中编辑(&amp;E)</translation>
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
        <translation>把标题和网址组成 MarkDown 和 BBCode 链接，并保存在两个列表中</translation>
    </message>
    <message>
        <source>标题输入框的标签</source>
        <translation>标题输入框的标签</translation>
    </message>
    <message>
        <source>链接输入框的标签</source>
        <translation>链接输入框的标签</translation>
    </message>
    <message>
        <source>富文本型列表的标签</source>
        <translation>富文本型列表的标签</translation>
    </message>
    <message>
        <source>MarkDown型列表的标签</source>
        <translation>MarkDown型列表的标签</translation>
    </message>
    <message>
        <source>链接文字</source>
        <translation>链接文字</translation>
    </message>
    <message>
        <source>链接的标题</source>
        <translation>链接的标题</translation>
    </message>
    <message>
        <source>链接地址</source>
        <translation>链接地址</translation>
    </message>
    <message>
        <source>链接的网址；按 Enter 组成 MarkDown 链接</source>
        <translation>链接的网址；按 Enter 组成 MarkDown 链接</translation>
    </message>
    <message>
        <source>BBCode 链接</source>
        <translation>BBCode 链接</translation>
    </message>
    <message>
        <source>组成的 BBCode 链接</source>
        <translation>组成的 BBCode 链接</translation>
    </message>
    <message>
        <source>MarkDown 链接</source>
        <translation>MarkDown 链接</translation>
    </message>
    <message>
        <source>组成的 MarkDown 链接</source>
        <translation>组成的 MarkDown 链接</translation>
    </message>
    <message>
        <source>富文本型列表</source>
        <translation>富文本型列表</translation>
    </message>
    <message>
        <source>保存的 BBCode 链接；选中一项即填入文字和链接</source>
        <translation>保存的 BBCode 链接；选中一项即填入文字和链接</translation>
    </message>
    <message>
        <source>MarkDown型列表</source>
        <translation>MarkDown型列表</translation>
    </message>
    <message>
        <source>保存的 MarkDown 链接；选中一项即复制到剪贴板</source>
        <translation>保存的 MarkDown 链接；选中一项即复制到剪贴板</translation>
    </message>
    <message>
        <source>超链接</source>
        <translation>超链接</translation>
    </message>
    <message>
        <source>蓝色标签复制到剪贴板的超链接，可以编辑后再复制</source>
        <translation>蓝色标签复制到剪贴板的超链接，可以编辑后再复制</translation>
    </message>
    <message>
        <source>组成 MarkDown 链接</source>
        <translation>组成 MarkDown 链接</translation>
    </message>
    <message>
        <source>组成 BBCode 链接</source>
        <translation>组成 BBCode 链接</translation>
    </message>
    <message>
        <source>把 BBCode 链接加入富文本型列表</source>
        <translation>把 BBCode 链接加入富文本型列表</translation>
    </message>
    <message>
        <source>从富文本型列表删除所选项</source>
        <translation>从富文本型列表删除所选项</translation>
    </message>
    <message>
        <source>去掉富文本型列表中相邻的重复项并保存</source>
        <translation>去掉富文本型列表中相邻的重复项并保存</translation>
    </message>
    <message>
        <source>把 MarkDown 链接加入MarkDown型列表</source>
        <translation>把 MarkDown 链接加入MarkDown型列表</translation>
    </message>
    <message>
        <source>从MarkDown型列表删除所选项</source>
        <translation>从MarkDown型列表删除所选项</translation>
    </message>
    <message>
        <source>去掉MarkDown型列表中相邻的重复项并保存</source>
        <translation>去掉MarkDown型列表中相邻的重复项并保存</translation>
    </message>
    <message>
        <source>从网页读取标题填入“文字”</source>
        <translation>从网页读取标题填入“文字”</translation>
    </message>
    <message>
        <source>把文字和链接作为带格式的超链接复制到剪贴板</source>
        <translation>把文字和链接作为带格式的超链接复制到剪贴板</translation>
    </message>
    <message>
        <source>窗口置顶</source>
        <translation>窗口置顶</translation>
    </message>
    <message>
        <source>窗口保持在其他窗口之上</source>
        <translation>窗口保持在其他窗口之上</translation>
    </message>
</context>
<context>
    <name>quillon::TFormLinkTools</name>
    <message>
        <source>取标题</source>
        <translation>取标题</translation>
    </message>
    <message>
        <source>复制所选链接（所见即所得）</source>
        <translation>复制所选链接（所见即所得）</translation>
    </message>
    <message>
        <source>复制所选链接为 MarkDown</source>
        <translation>复制所选链接为 MarkDown</translation>
    </message>
    <message>
        <source>复制所选链接为 BBCode</source>
        <translation>复制所选链接为 BBCode</translation>
    </message>
    <message>
        <source>Copied the link as %1</source>
        <translation>已把链接复制为 %1</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>重新读取</translation>
    </message>
    <message>
        <source>Copied %1 links as rich text</source>
        <translation>已把 %1 个链接复制为富文本</translation>
    </message>
    <message>
        <source>Copied %1 links as Markdown</source>
        <translation>已把 %1 个链接复制为 MarkDown</translation>
    </message>
    <message>
        <source>Copied %1 links as BBCode</source>
        <translation>已把 %1 个链接复制为 BBCode</translation>
    </message>
</context>
<context>
    <name>quillon::TLinkListBox</name>
    <message>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Shows only the entries that hold this text (Ctrl+F)</source>
        <translation>只显示包含此文字的项 (Ctrl+F)</translation>
    </message>
    <message>
        <source>Edited 1 entry</source>
        <translation>已编辑 1 项</translation>
    </message>
    <message>
        <source>Deleted 1 entry</source>
        <translation>已删除 1 项</translation>
    </message>
    <message>
        <source>Deleted %1 entries</source>
        <translation>已删除 %1 项</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>没有可撤销的操作</translation>
    </message>
    <message>
        <source>Undone</source>
        <translation>已撤销</translation>
    </message>
</context>
<context>
    <name>quillon::TRVQtRichViewWidget</name>
    <message>
        <source>Link: %1</source>
        <translation>链接：%1</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>全选(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Open Link</source>
        <translation>打开链接(&amp;O)</translation>
    </message>
    <message>
        <source>Copy &amp;Link Address</source>
        <translation>复制链接地址(&amp;L)</translation>
    </message>
    <message>
        <source>Copy as &amp;Markdown</source>
        <translation>复制为 MarkDown(&amp;M)</translation>
    </message>
    <message>
        <source>Copy as &amp;BBCode</source>
        <translation>复制为 BBCode(&amp;B)</translation>
    </message>
</context>
<context>
    <name>quillon::TTitleFetcher</name>
    <message>
        <source>the address is not valid</source>
        <translation>地址无效</translation>
    </message>
    <message>
        <source>the page is not HTML (%1)</source>
        <translation>网页不是 HTML（%1）</translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <translation>%1 秒内没有回应</translation>
    </message>
    <message>
        <source>Cannot fetch the title of &quot;%1&quot;: %2</source>
        <translation>无法读取“%1”的标题：%2</translation>
    </message>
    <message>
        <source>the server answered %1 %2</source>
        <translation>服务器回答 %1 %2</translation>
    </message>
</context>
</TS>
