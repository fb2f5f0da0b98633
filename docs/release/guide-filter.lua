-- The pandoc filter of guide.html in the package (scripts/package.sh), which is read from the
-- unpacked folder, beside divazivir.dll, README.txt and LICENSE.

-- A link to a place in the guide stays. Any other link names a file of the source tree (the
-- pictures' score) that the package does not hold: it becomes its plain text, not a dead link.
-- Pictures are not links; pandoc embeds them.
function Link(link)
  if link.target:sub(1, 1) == "#" then
    return nil
  end
  return link.content
end

-- A picture alone in its paragraph is a figure, its text the caption below it.
function Para(para)
  if #para.content == 1 and para.content[1].t == "Image" then
    para.content[1].title = "fig:" .. para.content[1].title
    return para
  end
end

-- The page's title is the guide's first heading.
function Pandoc(doc)
  for _, block in ipairs(doc.blocks) do
    if block.t == "Header" and block.level == 1 then
      doc.meta.pagetitle = pandoc.utils.stringify(block.content)
      return doc
    end
  end
  error("guide: no first-level heading for the page's title")
end
